// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/X11TestClient.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace tiklo::bench {

using Clock = std::chrono::steady_clock;

// A keyboard of this process: keys through XTEST, and the windows that come on screen.
class XtestKeyboard {
public:
    XtestKeyboard() {
        if (!client_.connected()) {
            return;
        }
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(client_.connection(), client_.root(), XCB_CW_EVENT_MASK,
                                     &mask);
        xcb_flush(client_.connection());
    }

    // Presses and releases the key of `keysym`; when it was sent.
    std::optional<Clock::time_point> press(std::uint32_t keysym) {
        const xcb_keycode_t keycode = client_.keycode(keysym);
        if (keycode == 0) {
            return std::nullopt;
        }
        xcb_connection_t* connection = client_.connection();
        xcb_test_fake_input(connection, XCB_KEY_PRESS, keycode, XCB_CURRENT_TIME, client_.root(), 0,
                            0, 0);
        xcb_test_fake_input(connection, XCB_KEY_RELEASE, keycode, XCB_CURRENT_TIME, client_.root(),
                            0, 0, 0);
        const Clock::time_point sent = Clock::now();
        xcb_flush(connection);
        return sent;
    }

    // Forgets the windows mapped so far.
    void forgetMaps() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(client_.connection())) {
            std::free(event);
        }
    }

    // When the next top-level window (of the class `instance`, unless empty) was mapped, within
    // `timeout`. The clock is read as the event is taken, before the window is asked its class.
    std::optional<Clock::time_point> waitForMap(std::chrono::milliseconds timeout,
                                                const std::string& instance = {}) {
        const auto deadline = Clock::now() + timeout;
        while (Clock::now() < deadline) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(client_.connection())) {
                const Clock::time_point seen = Clock::now();
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                const xcb_window_t window =
                    mapped ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
                std::free(event);
                if (mapped && (instance.empty() || classOf(window) == instance)) {
                    return seen;
                }
            }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        return std::nullopt;
    }

private:
    // The instance part of the window's WM_CLASS.
    std::string classOf(xcb_window_t window) {
        xcb_connection_t* connection = client_.connection();
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(
                connection,
                xcb_get_property(connection, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 64),
                nullptr),
            &std::free);
        if (!reply) {
            return {};
        }
        const char* value = static_cast<const char*>(xcb_get_property_value(reply.get()));
        const int length = xcb_get_property_value_length(reply.get());
        return std::string(value, strnlen(value, static_cast<std::size_t>(length)));
    }

    tiklo::test::X11TestClient client_;
};

} // namespace tiklo::bench
