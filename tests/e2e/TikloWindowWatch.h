// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <set>
#include <string>
#include <thread>

#include <xcb/xcb.h>

namespace tiklo::test {

// Counts the Tiklo windows that come on screen on the current DISPLAY, however briefly: a
// popup mapped for a few milliseconds escapes polling, not the window manager's list of the
// windows it manages, watched here as it changes.
class TikloWindowWatch {
public:
    TikloWindowWatch();
    ~TikloWindowWatch();
    TikloWindowWatch(const TikloWindowWatch&) = delete;
    TikloWindowWatch& operator=(const TikloWindowWatch&) = delete;

    bool connected() const { return xcb_connection_has_error(connection_) == 0; }
    // Showings so far; the popup's unseen first one, off the screen, is none.
    int shown() const { return shown_; }

private:
    void watch();
    bool shownTiklo(xcb_window_t window) const;
    std::set<xcb_window_t> clients() const;
    std::string property(xcb_window_t window, xcb_atom_t name) const;

    xcb_connection_t* connection_;
    xcb_screen_t* screen_ = nullptr;
    xcb_atom_t clientList_ = XCB_ATOM_NONE;
    xcb_atom_t netName_ = XCB_ATOM_NONE;
    std::set<xcb_window_t> listed_;
    std::atomic<int> shown_{0};
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

} // namespace tiklo::test
