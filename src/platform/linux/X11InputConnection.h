// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include <xcb/xcb.h>

namespace tiklo {

// Tiklo's own X connection for typing into other applications and holding the user's keys,
// apart from Qt's: the injector's worker waits for the server and for other applications on
// it, while Qt's connection keeps serving the main thread.
//
// Both threads use it, so every reader of its events routes them the same way: key events
// (they only ever come from a keyboard grab made on this connection) to the key sink, ping
// answers to whoever waits for them; everything else is dropped. Request sequences that must
// reach the server together (no other request of Tiklo's in between) take lock().
class X11InputConnection {
public:
    using KeySink = std::function<void(const xcb_key_press_event_t&)>;

    // `display`: empty for $DISPLAY.
    explicit X11InputConnection(const std::string& display = {});
    ~X11InputConnection();
    X11InputConnection(const X11InputConnection&) = delete;
    X11InputConnection& operator=(const X11InputConnection&) = delete;

    bool usable() const;
    bool hasXTest() const { return xtest_; }
    xcb_connection_t* get() const { return connection_; }
    xcb_window_t root() const { return root_; }
    int fileDescriptor() const;

    std::unique_lock<std::recursive_mutex> lock() {
        return std::unique_lock<std::recursive_mutex>(mutex_);
    }

    // Receives the key events read from now on; called with lock() held.
    void setKeySink(KeySink sink);

    // Routes whatever has arrived; never waits.
    void readEvents();
    // Waits until the server has handled every request sent so far, then routes what came.
    void roundTrip();

    // The window the window manager names active (EWMH), if any.
    std::optional<xcb_window_t> activeWindow();
    // Whether `window` takes part in EWMH pings (_NET_WM_PING in WM_PROTOCOLS).
    bool answersPings(xcb_window_t window);
    // Pings the application of `window` and waits for its answer. Clients handle their
    // events in order, so an answer means it has handled every event sent to it before: the
    // keys typed, the keymap changes, the focus it was given. False without an answer in time.
    bool ping(xcb_window_t window, std::chrono::milliseconds timeout);
    // The window with the keyboard focus when it is `window` or inside it (toolkits focus a
    // child window); nothing otherwise.
    std::optional<xcb_window_t> focusWithin(xcb_window_t window);
    // Makes every wait for an answer give up at once, now and later: the program is ending.
    void interrupt() { interrupted_ = true; }

private:
    void route(const xcb_generic_event_t* event);

    xcb_connection_t* connection_;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    bool xtest_ = false;
    xcb_atom_t activeWindowAtom_ = XCB_ATOM_NONE;
    xcb_atom_t protocolsAtom_ = XCB_ATOM_NONE;
    xcb_atom_t pingAtom_ = XCB_ATOM_NONE;

    std::atomic<bool> interrupted_ = false;
    std::recursive_mutex mutex_;
    KeySink keySink_;
    std::uint32_t nextToken_ = 1;
    std::set<std::uint32_t> awaited_;
    std::set<std::uint32_t> answered_;
};

} // namespace tiklo
