// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace tiklo {

// Keeps the user's keys from reaching any window for a moment, in order, so that nothing
// they type lands in the wrong one while Tiklo moves the keyboard between applications: from
// the prefix until the popup has the keyboard, and from a choice until the emoji is typed.
// A hold ends on its own after a time limit, as if released to the focus.
class KeyboardHold {
public:
    // Longer than the slowest insertion waits (focus, modifiers still held), short enough that
    // a popup that never comes does not keep the user's keys for long.
    static constexpr std::chrono::milliseconds timeLimit{3000};

    virtual ~KeyboardHold() = default;

    // Starts holding, or goes on holding. False when the keyboard could not be taken (another
    // program holds it); keys then go where they would have gone anyway. Main thread.
    virtual bool hold() = 0;
    // Ends the hold once Tiklo's own window has the keyboard: the keys held go to it, and the
    // next ones reach it directly. Main thread.
    virtual void releaseToOwnWindow() = 0;
    // Ends the hold: the keys held are typed, as they were typed, into the window that has the
    // keyboard. Any thread.
    virtual void releaseToFocus() = 0;
    // Keys that reached Tiklo's windows before the hold began, and still wait there to be
    // handled, are taken in now (they come before every key the hold took itself). Main
    // thread, before releaseToFocus.
    virtual void takePending() = 0;
    virtual bool isHolding() const = 0;
    // Whether this hold took the press of `scanCode` at `time` (as the window system reports
    // them): a key pressed just before the hold began went to the window that had the
    // keyboard instead. Main thread, while holding.
    virtual bool took(std::uint32_t scanCode, std::uint32_t time) = 0;
    // A key that reached one of Tiklo's windows when they take no keys (hidden, or while
    // holding): kept with the keys held, or typed where the keyboard is. `scanCode`,
    // `nativeModifiers` and `time` as the window system reported them (no time: 0). Main
    // thread.
    virtual void redirect(std::uint32_t scanCode, std::uint32_t nativeModifiers, bool press,
                          std::uint32_t time) = 0;
    // The press of `scanCode` at `time`, held behind an insertion, is a prefix: the next
    // release to the focus types the keys up to and including it, and goes on holding those
    // after it, for the popup it opens. `then` runs on the main thread once they are typed.
    // False when the hold has ended. A new hold, or one released to Tiklo's window, forgets it.
    // Main thread.
    virtual bool pauseAfter(std::uint32_t scanCode, std::uint32_t time,
                            std::function<void()> then) = 0;
};

} // namespace tiklo
