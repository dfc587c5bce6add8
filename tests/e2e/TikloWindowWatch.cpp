// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/TikloWindowWatch.h"

#include "platform/linux/X11Reply.h"

#include <cstring>

#include <poll.h>

namespace tiklo::test {

TikloWindowWatch::TikloWindowWatch() : connection_(xcb_connect(nullptr, nullptr)) {
    if (connected()) {
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const auto atoms = internAtoms<2>(connection_, {"_NET_CLIENT_LIST", "_NET_WM_NAME"});
        clientList_ = atoms[0];
        netName_ = atoms[1];
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, screen_->root, XCB_CW_EVENT_MASK, &mask);
        // What is listed already came before the watch.
        listed_ = clients();
        thread_ = std::thread(&TikloWindowWatch::watch, this);
    }
}

TikloWindowWatch::~TikloWindowWatch() {
    stopping_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    xcb_disconnect(connection_);
}

void TikloWindowWatch::watch() {
    while (!stopping_ && connected()) {
        // Wakes now and then to see whether to stop.
        pollfd socket{xcb_get_file_descriptor(connection_), POLLIN, 0};
        poll(&socket, 1, 50);
        while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(connection_)}) {
            if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY ||
                reinterpret_cast<xcb_property_notify_event_t*>(event.get())->atom != clientList_) {
                continue;
            }
            std::set<xcb_window_t> now = clients();
            for (const xcb_window_t window : now) {
                if (!listed_.contains(window) && shownTiklo(window)) {
                    ++shown_;
                }
            }
            listed_ = std::move(now);
        }
    }
}

bool TikloWindowWatch::shownTiklo(xcb_window_t window) const {
    const std::string title = property(window, netName_);
    if ((title.empty() ? property(window, XCB_ATOM_WM_NAME) : title) != "Tiklo") {
        return false;
    }
    const Reply<xcb_translate_coordinates_reply_t> place(xcb_translate_coordinates_reply(
        connection_, xcb_translate_coordinates(connection_, window, screen_->root, 0, 0), nullptr));
    // Tiklo keeps its popups within the screen. Its unseen first showing goes far off it, and
    // the window manager pulls a corner back on (openbox keeps a tenth of a window in view).
    return place && place->dst_x >= 0 && place->dst_y >= 0 &&
           place->dst_x < screen_->width_in_pixels && place->dst_y < screen_->height_in_pixels;
}

std::set<xcb_window_t> TikloWindowWatch::clients() const {
    const std::string list = property(screen_->root, clientList_);
    std::set<xcb_window_t> windows;
    for (std::size_t at = 0; at + 4 <= list.size(); at += 4) {
        xcb_window_t window = 0;
        std::memcpy(&window, list.data() + at, 4);
        windows.insert(window);
    }
    return windows;
}

std::string TikloWindowWatch::property(xcb_window_t window, xcb_atom_t name) const {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096),
        nullptr));
    return reply ? std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                               xcb_get_property_value_length(reply.get()))
                 : std::string();
}

} // namespace tiklo::test
