// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/KeyPoster.h"
#include "platform/Sleeper.h"
#include "platform/linux/SyntheticEventLedger.h"
#include "platform/linux/Utf16ChunkDecoder.h"
#include "platform/linux/X11InputConnection.h"
#include "platform/linux/X11KeyboardHold.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <xcb/xcb.h>

namespace tiklo {

// Posts key events with XTEST on Tiklo's input connection, from the injector's worker thread.
// Every event is entered in the ledger just before it is sent, so the keyboard monitor knows
// it for Tiklo's own, and is sent with the keyboard hold let go for that moment, so the
// user's keys typed meanwhile stay held while Tiklo's reach the application.
//
// Text is typed by mapping spare keycodes to the characters' keysyms for a moment
// (X11TypingPlan). The whole chunk is typed when postText is called with down = true; the
// matching call with down = false has nothing left to do.
class X11KeyPoster : public KeyPoster {
public:
    // An application must see a new mapping before its keys: it is pinged after the change
    // and the keys follow its answer, or `acknowledgementTimeout` (one that is busy reads the
    // change before the keys all the same, in order). One that does not answer pings gets
    // this pause (microseconds); shorter ones lose or double characters.
    static constexpr std::chrono::milliseconds acknowledgementTimeout{250};
    static constexpr std::uint32_t settleAfterMapping = 30000;
    // The mapping may only change again once the application has read the keys with it (it
    // asks the server for the keymap when it gets to the change, which may be late: a busy
    // or stopped application would then type the wrong characters, or none, after the
    // Delete went through). The active application is pinged and the mapping kept until it
    // answers, for as long as an application may reasonably be stopped and resumed; only
    // one hung for longer gives its keycodes back unread. One that does not answer pings
    // gets a fixed pause.
    static constexpr std::chrono::milliseconds readTimeout{15000};
    static constexpr std::uint32_t settleAfterTyping = 50000;
    // How often the focus and the modifiers are looked at while waiting for them.
    static constexpr std::uint32_t pollInterval = 2000;

    struct Options {
        // Spare keycodes used at once (0: all there are), so tools that borrow them too
        // (xdotool) find some left.
        std::size_t maxBorrowedKeycodes = 0;
    };

    X11KeyPoster(X11InputConnection& input, X11KeyboardHold& hold, SyntheticEventLedger& ledger,
                 Sleeper& sleeper);
    X11KeyPoster(X11InputConnection& input, X11KeyboardHold& hold, SyntheticEventLedger& ledger,
                 Sleeper& sleeper, Options options);
    ~X11KeyPoster() override;
    X11KeyPoster(const X11KeyPoster&) = delete;
    X11KeyPoster& operator=(const X11KeyPoster&) = delete;

    // False when the display cannot be reached or lacks XTEST; nothing is posted then.
    bool available() const;

    bool awaitFocus(const RunningApplication& application, std::chrono::milliseconds focusTimeout,
                    std::chrono::milliseconds answerTimeout) override;
    void releaseModifiers(std::chrono::milliseconds timeout) override;
    void tapKey(KeySym sym) override;
    void postText(std::u16string_view chunk, bool down) override;
    void finishTyping() override;
    // The server delivers XTEST keys in order, and a keycode is remapped only once the
    // application has read the keys typed with it.
    bool keepsOrder() const override { return true; }

private:
    class BorrowedKeycodes;

    void fakeKey(xcb_keycode_t keycode, bool press);
    void settle(std::optional<xcb_window_t> application, std::chrono::milliseconds timeout,
                std::uint32_t fallbackPause);
    void awaitTyped();
    std::uint16_t heldModifiers();

    X11InputConnection& input_;
    X11KeyboardHold& hold_;
    SyntheticEventLedger& ledger_;
    Sleeper& sleeper_;
    Options options_;
    Utf16ChunkDecoder decoder_;
    // Keycodes mapped for text the application may not have read yet, and which application
    // to ask (when it answers pings).
    std::unique_ptr<BorrowedKeycodes> borrowed_;
    bool unread_ = false;
    std::optional<xcb_window_t> typingTarget_;
};

} // namespace tiklo
