// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/X11TestClient.h"

#include "platform/linux/X11Reply.h"

namespace tiklo::test {

X11TestClient::X11TestClient() : connection_(xcb_connect(nullptr, nullptr)) {
    if (connected()) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
}

X11TestClient::~X11TestClient() {
    // Closing alone would race the next test request on another connection: the server
    // may not have noticed the close yet.
    if (connected()) {
        free(xcb_request_check(connection_, xcb_ungrab_key_checked(connection_, XCB_GRAB_ANY, root_,
                                                                   XCB_MOD_MASK_ANY)));
    }
    xcb_disconnect(connection_);
}

xcb_window_t X11TestClient::createWindow(const std::string& instance, const std::string& className,
                                         std::uint32_t pid, const std::string& gtkApplicationID) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    const xcb_window_t window = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    const std::string wmClass = instance + '\0' + className + '\0';
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS,
                        XCB_ATOM_STRING, 8, wmClass.size(), wmClass.data());
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_PID"),
                        XCB_ATOM_CARDINAL, 32, 1, &pid);
    if (!gtkApplicationID.empty()) {
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, atom("_GTK_APPLICATION_ID"),
                            atom("UTF8_STRING"), 8, gtkApplicationID.size(),
                            gtkApplicationID.data());
    }
    xcb_map_window(connection_, window);
    xcb_flush(connection_);
    return window;
}

void X11TestClient::activate(xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("_NET_ACTIVE_WINDOW");
    message.data.data32[0] = 2; // source: pager, which window managers obey at once
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

xcb_keycode_t X11TestClient::keycode(std::uint32_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const Reply<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
        connection_, xcb_get_keyboard_mapping(connection_, setup->min_keycode, count), nullptr));
    if (!mapping || mapping->keysyms_per_keycode == 0) {
        return 0;
    }
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    for (int index = 0; index < count; ++index) {
        if (keysyms[index * mapping->keysyms_per_keycode] == keysym) {
            return static_cast<xcb_keycode_t>(setup->min_keycode + index);
        }
    }
    return 0;
}

int X11TestClient::grabKey(xcb_keycode_t keycode, std::uint16_t modifiers) {
    const Reply<xcb_generic_error_t> error(xcb_request_check(
        connection_, xcb_grab_key_checked(connection_, 0, root_, modifiers, keycode,
                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
    return error ? error->error_code : 0;
}

bool X11TestClient::keyHeldByAnother(xcb_keycode_t keycode, std::uint16_t modifiers) {
    constexpr int badAccess = 10;
    const int error = grabKey(keycode, modifiers);
    if (error == 0) {
        std::free(xcb_request_check(
            connection_, xcb_ungrab_key_checked(connection_, keycode, root_, modifiers)));
    }
    return error == badAccess;
}

xcb_atom_t X11TestClient::atom(const std::string& name) {
    return internAtoms<1>(connection_, {name})[0];
}

int X11TestClient::propertyLength(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, property, type, 0, 4), nullptr));
    return reply ? xcb_get_property_value_length(reply.get()) : 0;
}

} // namespace tiklo::test
