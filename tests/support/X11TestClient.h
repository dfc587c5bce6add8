// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include <xcb/xcb.h>

namespace tiklo::test {

// Another X client on the current DISPLAY. Its grabs are released, and the server has seen
// that, by the time the destructor returns; its windows go with its connection.
class X11TestClient {
public:
    X11TestClient();
    ~X11TestClient();
    X11TestClient(const X11TestClient&) = delete;
    X11TestClient& operator=(const X11TestClient&) = delete;

    bool connected() const { return xcb_connection_has_error(connection_) == 0; }
    xcb_connection_t* connection() const { return connection_; }
    xcb_window_t root() const { return root_; }

    // A mapped top-level window claiming to belong to `pid`, with WM_CLASS and, unless
    // empty, _GTK_APPLICATION_ID.
    xcb_window_t createWindow(const std::string& instance, const std::string& className,
                              std::uint32_t pid, const std::string& gtkApplicationID = {});
    // Asks the window manager to activate `window`, as a pager would.
    void activate(xcb_window_t window);

    // The keycode producing `keysym` unshifted, or 0.
    xcb_keycode_t keycode(std::uint32_t keysym);
    // A checked passive grab on the root; the X error code, 0 on success.
    int grabKey(xcb_keycode_t keycode, std::uint16_t modifiers);
    // Whether another client holds the key with exactly these modifiers. A grab this takes is
    // let go at once, so that the holder it waits for is not refused meanwhile.
    bool keyHeldByAnother(xcb_keycode_t keycode, std::uint16_t modifiers);

    xcb_atom_t atom(const std::string& name);
    // The length in bytes of a window's property of that type (up to 16); 0 when it has none.
    int propertyLength(xcb_window_t window, xcb_atom_t property, xcb_atom_t type);

private:
    xcb_connection_t* connection_;
    xcb_window_t root_ = XCB_WINDOW_NONE;
};

} // namespace tiklo::test
