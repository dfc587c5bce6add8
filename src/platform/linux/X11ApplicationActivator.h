#pragma once

#include "ApplicationActivator.h"
#include "Sleeper.h"

#include <chrono>

#include <xcb/xcb.h>

namespace tiklo {

// Brings an application's window to the front by asking the window manager
// (_NET_ACTIVE_WINDOW), then waits until the window manager names it the active window, so
// keys posted afterwards reach it. The wait is bounded: a window manager that ignores the
// request, or a window that has gone, costs at most `timeout`.
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
    xcb_window_t activeWindow() const;

    xcb_connection_t* connection_;
    xcb_window_t root_;
    Sleeper& sleeper_;
    xcb_atom_t activeWindowAtom_ = XCB_ATOM_NONE;
};

} // namespace tiklo
