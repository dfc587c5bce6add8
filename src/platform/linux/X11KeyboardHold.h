// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/KeyboardHold.h"
#include "platform/linux/SyntheticEventLedger.h"
#include "platform/linux/X11InputConnection.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include <QObject>
#include <QTimer>
#include <xcb/xcb.h>

class QSocketNotifier;

namespace tiklo {

// Holds the user's keys with an active keyboard grab on Tiklo's input connection, and keeps
// them in the order typed. Released to Tiklo's own window, the keys are sent to it as events
// that carry their own modifier state, so Qt reads each as it was typed. Released to the
// focus, they are typed again with XTEST (and entered in the ledger, so the keyboard monitor
// does not report them twice), each with the modifiers it was typed with; no key is left
// pressed.
//
// Keys that reached Tiklo's own windows just before the grab took hold come back through
// redirect(), and are kept with the rest or, after the hold, typed where the keyboard is.
//
// Tiklo's own fake keys must not fall into its own grab: the poster sends them through
// postUnheld, which lets go of the keyboard for exactly those requests.
class X11KeyboardHold : public QObject, public KeyboardHold {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds focusPollInterval{2};

    X11KeyboardHold(X11InputConnection& input, SyntheticEventLedger& ledger,
                    QObject* parent = nullptr);
    ~X11KeyboardHold() override;
    X11KeyboardHold(const X11KeyboardHold&) = delete;
    X11KeyboardHold& operator=(const X11KeyboardHold&) = delete;

    bool hold() override;
    void releaseToOwnWindow() override;
    void releaseToFocus() override;
    void takePending() override;
    bool isHolding() const override { return holding_; }
    bool took(std::uint32_t scanCode, std::uint32_t time) override;
    void redirect(std::uint32_t scanCode, std::uint32_t nativeModifiers, bool press,
                  std::uint32_t time) override;
    bool pauseAfter(std::uint32_t scanCode, std::uint32_t time,
                    std::function<void()> then) override;

    // Sends `post`'s requests with the keyboard free, holding it again right after, all in one
    // sequence of requests while the server is held: no other client's request comes in
    // between (`post` may wait for replies).
    void postUnheld(const std::function<void()>& post);

private:
    enum class Destination { focus, ownWindow };

    xcb_window_t grabWindow();
    bool grab();
    xcb_grab_keyboard_cookie_t requestGrab(xcb_window_t window);
    bool grabTaken(xcb_grab_keyboard_cookie_t cookie);
    void ungrab();
    // Main thread.
    void startTimeLimit();
    void expire(std::uint64_t generation);
    void rememberOwnWindows();
    bool deliverToFocusedOwnWindow();
    void releaseToFocusLocked();
    void take(const xcb_key_press_event_t& event);
    std::vector<xcb_key_press_event_t> takeAll();
    void forward(xcb_key_press_event_t event);
    void retype(const std::vector<xcb_key_press_event_t>& keys);
    // Types the keys held up to and including the press to pause after, and holds the rest;
    // false when no key held is that press.
    bool retypeUpToPause();
    void forgetPause();
    void fakeKey(xcb_keycode_t keycode, bool press);

    X11InputConnection& input_;
    SyntheticEventLedger& ledger_;
    std::unique_ptr<QSocketNotifier> notifier_;
    // Looks for Tiklo's window to have the keyboard, while keys wait for it.
    QTimer focusPoll_;
    std::atomic<bool> holding_ = false;
    bool grabbed_ = false;
    std::uint64_t generation_ = 0;
    // Tiklo's windows as they were when the hold began.
    std::set<xcb_window_t> ownWindows_;
    // What was held, in two parts: the keys that reached Tiklo's windows are always older
    // than any the grab took.
    std::vector<xcb_key_press_event_t> fromOwnWindows_;
    std::vector<xcb_key_press_event_t> fromGrab_;
    // Every press held since the hold began (taken by the grab, or redirected with its time),
    // by key and time, delivered or not.
    std::set<std::pair<xcb_keycode_t, xcb_timestamp_t>> pressesTaken_;
    // Where keys the grab took before it ended, but read after, go.
    Destination destination_ = Destination::focus;
    // The press the next release to the focus stops after, and what runs then.
    std::optional<std::pair<xcb_keycode_t, xcb_timestamp_t>> pauseAt_;
    std::function<void()> afterPause_;
    xcb_window_t ownWindow_ = XCB_WINDOW_NONE;
};

} // namespace tiklo
