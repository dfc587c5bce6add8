// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ApplicationActivator.h"
#include "platform/Sleeper.h"

#include <chrono>

#include <xcb/xcb.h>

namespace tiklo {

// Brings an application's window to the front by asking the window manager
// (_NET_ACTIVE_WINDOW). activate() only asks: whoever types into the window afterwards waits
// for the keyboard focus itself (KeyPoster::awaitFocus). activateWindow() also waits until
// the window manager names the window active, at most `timeout` (a window manager that
// ignores the request, or a window that has gone).
class X11ApplicationActivator : public ApplicationActivator {
public:
    static constexpr std::chrono::milliseconds timeout{500};
    static constexpr std::chrono::milliseconds pollInterval{5};

    // `connection` must stay open for the activator's lifetime; used on the thread that
    // calls activate (the main thread).
    X11ApplicationActivator(xcb_connection_t* connection, xcb_window_t root, Sleeper& sleeper);

    void activate(const RunningApplication& application) override;
    // True when `window` became the active window in time.
    bool activateWindow(xcb_window_t window);

private:
    bool requestActivation(xcb_window_t window);
    xcb_window_t activeWindow() const;

    xcb_connection_t* connection_;
    xcb_window_t root_;
    Sleeper& sleeper_;
    xcb_atom_t activeWindowAtom_ = XCB_ATOM_NONE;
};

} // namespace tiklo
