// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Key.h"
#include "platform/RunningApplication.h"

#include <chrono>
#include <cstdint>
#include <string_view>

namespace tiklo {

// Posts synthetic keyboard events into the focused application. Every event posted is
// marked as Tiklo's own, so the keyboard monitor reports it as synthetic. Used from one
// thread at a time (the injector's worker).
class KeyPoster {
public:
    virtual ~KeyPoster() = default;

    // Waits until `application`'s window holds the keyboard focus (at most `focusTimeout`:
    // the window manager may be slow) and the application has handled it (at most
    // `answerTimeout` more: a busy application may never tell). False when it did not.
    virtual bool awaitFocus(const RunningApplication& application,
                            std::chrono::milliseconds focusTimeout,
                            std::chrono::milliseconds answerTimeout) = 0;
    // Keys typed while the user holds Control, Alt or Super would combine with them: waits up
    // to `timeout` for the user to let go, then lets go of those still held.
    virtual void releaseModifiers(std::chrono::milliseconds timeout) = 0;

    // A press and release of the key that types `sym`.
    virtual void tapKey(KeySym sym) = 0;
    // A keyboard event carrying text: at most 20 UTF-16 code units, possibly ending inside
    // a surrogate pair (the rest follows in the next chunk).
    virtual void postText(std::u16string_view chunk, bool down) = 0;
    // Waits until the application has read everything typed so far; keys borrowed for typing
    // are given back.
    virtual void finishTyping() = 0;
    // Whether what it posts reaches the application in order, each key read before a later
    // change could alter it, without pauses between keys. A poster that cannot promise it gets
    // a moment after each key instead.
    virtual bool keepsOrder() const { return false; }
};

} // namespace tiklo
