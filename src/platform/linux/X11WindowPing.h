#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include <xcb/xcb.h>

namespace tiklo {

// Asks an application to answer an EWMH ping (_NET_WM_PING) and waits for the answer.
// Clients handle their events in order, so once the answer is back the application has
// handled every event sent to it before the ping: the keys just typed, with the keymap of
// that moment. Uses the connection's events: anything else that arrives meanwhile is
// dropped, so only use it on a connection nobody else reads.
class X11WindowPing {
public:
    // Selects the root window's events that answers arrive as, on `connection`.
    explicit X11WindowPing(xcb_connection_t* connection);

    // The active window, if its application answers pings.
    std::optional<xcb_window_t> pingableActiveWindow();

    // False when no answer came within `timeout` (a busy or hung application).
    bool ping(xcb_window_t window, std::chrono::milliseconds timeout);

private:
    bool isAnswer(const xcb_generic_event_t* event, std::uint32_t token) const;

    xcb_connection_t* connection_;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    xcb_atom_t activeWindowAtom_ = XCB_ATOM_NONE;
    xcb_atom_t protocolsAtom_ = XCB_ATOM_NONE;
    xcb_atom_t pingAtom_ = XCB_ATOM_NONE;
    std::uint32_t nextToken_ = 1;
};

} // namespace tiklo
