// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include <xcb/xcb.h>

namespace tiklo {

// Sends a 32-bit client message of `type` about `window` to `destination`, and flushes. For
// a request to the window manager the destination is the root, with the substructure masks;
// for a message to a window itself, the window, with no mask.
inline void sendClientMessage(xcb_connection_t* connection, xcb_window_t destination,
                              std::uint32_t eventMask, xcb_window_t window, xcb_atom_t type,
                              const std::array<std::uint32_t, 5>& data) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    for (std::size_t i = 0; i < data.size(); ++i) {
        message.data.data32[i] = data[i];
    }
    xcb_send_event(connection, 0, destination, eventMask, reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

// The event mask of requests to the window manager, sent to the root.
inline constexpr std::uint32_t windowManagerRequest =
    XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;

} // namespace tiklo
