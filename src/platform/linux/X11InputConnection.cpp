// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11InputConnection.h"

#include "platform/linux/X11ClientMessage.h"

#include "platform/linux/X11Reply.h"

#include <array>
#include <cstring>
#include <string_view>

#include <poll.h>
#include <xcb/xtest.h>

namespace tiklo {
namespace {

// A ping waiter looks at the answers others read this often, at most.
constexpr std::chrono::milliseconds pingPollInterval{2};
// Toolkits nest their focus windows a few levels down; a deeper chain is not ours to walk.
constexpr int maxFocusDepth = 16;

Reply<xcb_get_property_reply_t> property(xcb_connection_t* connection, xcb_window_t window,
                                         xcb_atom_t name, xcb_atom_t type, std::uint32_t words) {
    return Reply<xcb_get_property_reply_t>(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, words), nullptr));
}

} // namespace

X11InputConnection::X11InputConnection(const std::string& display)
    : connection_(xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr)) {
    if (xcb_connection_has_error(connection_) != 0) {
        return;
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(connection_, &xcb_test_id);
    xtest_ = xtest != nullptr && xtest->present != 0;
    constexpr std::array<std::string_view, 3> names{"_NET_ACTIVE_WINDOW", "WM_PROTOCOLS",
                                                    "_NET_WM_PING"};
    const auto atoms = internAtoms(connection_, names);
    activeWindowAtom_ = atoms[0];
    protocolsAtom_ = atoms[1];
    pingAtom_ = atoms[2];
    // Ping answers are sent to the root window for SubstructureRedirect (held by the window
    // manager) and SubstructureNotify, as EWMH has it, or StructureNotify, as Qt does.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
}

X11InputConnection::~X11InputConnection() {
    xcb_disconnect(connection_);
}

bool X11InputConnection::usable() const {
    return xcb_connection_has_error(connection_) == 0;
}

int X11InputConnection::fileDescriptor() const {
    return xcb_get_file_descriptor(connection_);
}

void X11InputConnection::setKeySink(KeySink sink) {
    const auto locked = lock();
    keySink_ = std::move(sink);
}

void X11InputConnection::readEvents() {
    const auto locked = lock();
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        route(event);
        std::free(event);
    }
}

void X11InputConnection::roundTrip() {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    readEvents();
}

void X11InputConnection::route(const xcb_generic_event_t* event) {
    // Answers and grabbed keys alike may come with SendEvent's top bit.
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
        if (keySink_) {
            keySink_(*reinterpret_cast<const xcb_key_press_event_t*>(event));
        }
    } else if (type == XCB_CLIENT_MESSAGE) {
        const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
        if (message->format == 32 && message->type == protocolsAtom_ &&
            message->data.data32[0] == pingAtom_ && awaited_.count(message->data.data32[1]) != 0) {
            answered_.insert(message->data.data32[1]);
        }
    }
}

std::optional<xcb_window_t> X11InputConnection::activeWindow() {
    if (activeWindowAtom_ == XCB_ATOM_NONE || !usable()) {
        return std::nullopt;
    }
    const auto active = property(connection_, root_, activeWindowAtom_, XCB_ATOM_WINDOW, 1);
    if (!active || active->format != 32 || xcb_get_property_value_length(active.get()) < 4) {
        return std::nullopt;
    }
    xcb_window_t window = XCB_WINDOW_NONE;
    std::memcpy(&window, xcb_get_property_value(active.get()), sizeof window);
    return window == XCB_WINDOW_NONE ? std::nullopt : std::optional<xcb_window_t>(window);
}

bool X11InputConnection::answersPings(xcb_window_t window) {
    if (pingAtom_ == XCB_ATOM_NONE || !usable()) {
        return false;
    }
    const auto protocols = property(connection_, window, protocolsAtom_, XCB_ATOM_ATOM, 64);
    if (!protocols || protocols->format != 32) {
        return false;
    }
    const int count = xcb_get_property_value_length(protocols.get()) / 4;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(protocols.get()));
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == pingAtom_) {
            return true;
        }
    }
    return false;
}

bool X11InputConnection::ping(xcb_window_t window, std::chrono::milliseconds timeout) {
    std::uint32_t token = 0;
    {
        const auto locked = lock();
        token = nextToken_++;
        awaited_.insert(token);
        // The timestamp field is echoed back, telling the answers apart.
        sendClientMessage(connection_, window, XCB_EVENT_MASK_NO_EVENT, window, protocolsAtom_,
                          {pingAtom_, token, window, 0, 0});
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (usable() && !interrupted_) {
        {
            const auto locked = lock();
            readEvents();
            if (answered_.erase(token) != 0) {
                awaited_.erase(token);
                return true;
            }
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            break;
        }
        // Another thread may read the answer first; look again soon even without data.
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        pollfd descriptor{fileDescriptor(), POLLIN, 0};
        ::poll(&descriptor, 1, static_cast<int>(std::min(left, pingPollInterval).count()));
    }
    const auto locked = lock();
    awaited_.erase(token);
    answered_.erase(token);
    return false;
}

std::optional<xcb_window_t> X11InputConnection::focusWithin(xcb_window_t window) {
    const Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    if (!focus) {
        return std::nullopt;
    }
    xcb_window_t current = focus->focus;
    for (int depth = 0; depth < maxFocusDepth; ++depth) {
        // None and PointerRoot are not windows.
        if (current == XCB_WINDOW_NONE || current == XCB_INPUT_FOCUS_POINTER_ROOT ||
            current == root_) {
            return std::nullopt;
        }
        if (current == window) {
            return focus->focus;
        }
        const Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection_, xcb_query_tree(connection_, current), nullptr));
        if (!tree) {
            return std::nullopt;
        }
        current = tree->parent;
    }
    return std::nullopt;
}

} // namespace tiklo
