#include "X11WindowPing.h"

#include "X11Reply.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include <poll.h>

namespace tiklo {
namespace {

Reply<xcb_get_property_reply_t> property(xcb_connection_t* connection, xcb_window_t window,
                                         xcb_atom_t name, xcb_atom_t type, std::uint32_t words) {
    return Reply<xcb_get_property_reply_t>(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, words), nullptr));
}

} // namespace

X11WindowPing::X11WindowPing(xcb_connection_t* connection) : connection_(connection) {
    if (xcb_connection_has_error(connection_) != 0) {
        return;
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    constexpr std::array<std::string_view, 3> names{"_NET_ACTIVE_WINDOW", "WM_PROTOCOLS",
                                                    "_NET_WM_PING"};
    const auto atoms = internAtoms(connection_, names);
    activeWindowAtom_ = atoms[0];
    protocolsAtom_ = atoms[1];
    pingAtom_ = atoms[2];
    // Answers are sent to the root window for SubstructureRedirect (held by the window
    // manager) and SubstructureNotify, as EWMH has it, or StructureNotify, as Qt does.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
}

std::optional<xcb_window_t> X11WindowPing::pingableActiveWindow() {
    if (pingAtom_ == XCB_ATOM_NONE || xcb_connection_has_error(connection_) != 0) {
        return std::nullopt;
    }
    const auto active = property(connection_, root_, activeWindowAtom_, XCB_ATOM_WINDOW, 1);
    if (!active || active->format != 32 || xcb_get_property_value_length(active.get()) < 4) {
        return std::nullopt;
    }
    xcb_window_t window = XCB_WINDOW_NONE;
    std::memcpy(&window, xcb_get_property_value(active.get()), sizeof window);
    if (window == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    const auto protocols = property(connection_, window, protocolsAtom_, XCB_ATOM_ATOM, 64);
    if (!protocols || protocols->format != 32) {
        return std::nullopt;
    }
    const int count = xcb_get_property_value_length(protocols.get()) / 4;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(protocols.get()));
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == pingAtom_) {
            return window;
        }
    }
    return std::nullopt;
}

bool X11WindowPing::ping(xcb_window_t window, std::chrono::milliseconds timeout) {
    const std::uint32_t token = nextToken_++;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = protocolsAtom_;
    message.data.data32[0] = pingAtom_;
    message.data.data32[1] = token; // the timestamp field: echoed back, so it tells answers apart
    message.data.data32[2] = window;
    xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (xcb_connection_has_error(connection_) == 0) {
        bool answered = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            answered = answered || isAnswer(event, token);
            std::free(event);
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (answered || left.count() <= 0) {
            return answered;
        }
        pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
        ::poll(&descriptor, 1, static_cast<int>(left.count()) + 1);
    }
    return false;
}

bool X11WindowPing::isAnswer(const xcb_generic_event_t* event, std::uint32_t token) const {
    // Answers are sent with SendEvent, which sets the top bit.
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) {
        return false;
    }
    const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
    return message->format == 32 && message->type == protocolsAtom_ &&
           message->data.data32[0] == pingAtom_ && message->data.data32[1] == token;
}

} // namespace tiklo
