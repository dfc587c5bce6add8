// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11Workspace.h"

#include "platform/linux/X11ClientMessage.h"
#include "platform/linux/X11Reply.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include <unistd.h>
#include <xcb/shape.h>

#include <QByteArray>
#include <QGuiApplication>
#include <QWindow>

namespace tiklo {
namespace {

// Property reads are capped at 4 KiB; a longer value counts as absent, since a cut-off
// id would name the wrong application.
constexpr std::uint32_t maxTextWords = 1024;

struct PropertyRead {
    Reply<xcb_get_property_reply_t> reply;
    Reply<xcb_generic_error_t> error;
};

PropertyRead readProperty(xcb_connection_t* connection, xcb_get_property_cookie_t cookie) {
    xcb_generic_error_t* error = nullptr;
    PropertyRead read;
    read.reply.reset(xcb_get_property_reply(connection, cookie, &error));
    read.error.reset(error);
    return read;
}

// The 8-bit value in full, or nothing when missing, of another format, or cut off.
std::string_view text(const xcb_get_property_reply_t* reply) {
    if (reply == nullptr || reply->format != 8 || reply->bytes_after != 0) {
        return {};
    }
    return {static_cast<const char*>(xcb_get_property_value(reply)),
            static_cast<std::size_t>(xcb_get_property_value_length(reply))};
}

std::string_view untilNul(std::string_view value) {
    return value.substr(0, value.find('\0'));
}

// WM_CLASS holds "instance\0class\0"; the class names the application. A window that
// sets only the instance is still named by it.
std::string_view windowClass(std::string_view wmClass) {
    const std::string_view instance = untilNul(wmClass);
    if (instance.size() >= wmClass.size()) {
        return instance;
    }
    const std::string_view className = untilNul(wmClass.substr(instance.size() + 1));
    return className.empty() ? instance : className;
}

} // namespace

X11Workspace::X11Workspace(xcb_connection_t* connection, xcb_window_t root, std::string ownAppID,
                           QObject* parent)
    : QObject(parent), connection_(connection), root_(root), ownAppID_(std::move(ownAppID)) {
    constexpr std::array<std::string_view, 4> names{"_NET_ACTIVE_WINDOW", "_NET_WM_PID",
                                                    "_GTK_APPLICATION_ID", "_NET_WM_DESKTOP"};
    const auto atoms = internAtoms(connection_, names);
    activeWindowAtom_ = atoms[0];
    pidAtom_ = atoms[1];
    gtkApplicationIDAtom_ = atoms[2];
    desktopAtom_ = atoms[3];
    // The compositor's selection is named after the screen whose root this is.
    int screen = 0;
    for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_)); it.rem;
         xcb_screen_next(&it), ++screen) {
        if (it.data->root == root_) {
            const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
            compositorAtom_ = internAtoms(connection_, std::array<std::string_view, 1>{name})[0];
            break;
        }
    }

    // The event mask replaces this client's whole selection on the root, so keep whatever
    // Qt selected there before.
    const Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, root_), nullptr));
    if (attributes) {
        const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }

    remember(frontmostApplication());
}

void X11Workspace::showOnAllDesktops(std::uintptr_t window) {
    if (desktopAtom_ == XCB_ATOM_NONE || xcb_connection_has_error(connection_) != 0) {
        return;
    }
    // The desktop number that means every desktop.
    constexpr std::uint32_t allDesktops = 0xFFFFFFFF;
    // An application's own request, as opposed to a pager's.
    constexpr std::uint32_t fromApplication = 1;
    const auto id = static_cast<xcb_window_t>(window);
    // Read by the window manager when it maps the window...
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, desktopAtom_, XCB_ATOM_CARDINAL, 32,
                        1, &allDesktops);
    // ...and asked of it for a window already mapped.
    sendClientMessage(connection_, root_, windowManagerRequest, id, desktopAtom_,
                      {allDesktops, fromApplication, 0, 0, 0});
}

bool X11Workspace::drawsTranslucentWindows() const {
    if (compositorAtom_ == XCB_ATOM_NONE || xcb_connection_has_error(connection_) != 0) {
        return true;
    }
    const Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, compositorAtom_), nullptr));
    return !owner || owner->owner != XCB_WINDOW_NONE;
}

void X11Workspace::letPointerThrough(std::uintptr_t window, bool through) {
    if (xcb_connection_has_error(connection_) != 0) {
        return;
    }
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(connection_, &xcb_shape_id);
    if (shape == nullptr || shape->present == 0) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window);
    if (through) {
        xcb_shape_rectangles(connection_, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT,
                             XCB_CLIP_ORDERING_UNSORTED, id, 0, 0, 0, nullptr);
    } else {
        // No input shape rather than one of the window's present size: the full picker is
        // larger than the inline popup that shares its window.
        xcb_shape_mask(connection_, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, id, 0, 0,
                       XCB_PIXMAP_NONE);
    }
    xcb_flush(connection_);
}

bool X11Workspace::ownWindowHasKeyboard() const {
    if (xcb_connection_has_error(connection_) != 0) {
        return false;
    }
    const Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    if (!focus || focus->focus == XCB_WINDOW_NONE) {
        return false;
    }
    const QWindowList windows = QGuiApplication::allWindows();
    return std::any_of(windows.begin(), windows.end(), [&](const QWindow* window) {
        return window->handle() != nullptr && window->winId() == focus->focus;
    });
}

std::optional<RunningApplication> X11Workspace::frontmostApplication() const {
    if (activeWindowAtom_ == XCB_ATOM_NONE || xcb_connection_has_error(connection_) != 0) {
        return std::nullopt;
    }
    const PropertyRead active =
        readProperty(connection_, xcb_get_property(connection_, 0, root_, activeWindowAtom_,
                                                   XCB_ATOM_WINDOW, 0, 1));
    if (!active.reply || active.reply->format != 32 ||
        xcb_get_property_value_length(active.reply.get()) < 4) {
        return std::nullopt;
    }
    xcb_window_t window = XCB_WINDOW_NONE;
    std::memcpy(&window, xcb_get_property_value(active.reply.get()), sizeof window);
    if (window == XCB_WINDOW_NONE) {
        return std::nullopt;
    }

    // Sent together: three questions, one wait.
    const auto pidCookie =
        xcb_get_property(connection_, 0, window, pidAtom_, XCB_ATOM_CARDINAL, 0, 1);
    const auto classCookie = xcb_get_property(connection_, 0, window, XCB_ATOM_WM_CLASS,
                                              XCB_GET_PROPERTY_TYPE_ANY, 0, maxTextWords);
    const auto gtkCookie = xcb_get_property(connection_, 0, window, gtkApplicationIDAtom_,
                                            XCB_GET_PROPERTY_TYPE_ANY, 0, maxTextWords);
    const PropertyRead pid = readProperty(connection_, pidCookie);
    const PropertyRead wmClass = readProperty(connection_, classCookie);
    const PropertyRead gtkApplicationID = readProperty(connection_, gtkCookie);
    if (pid.error || wmClass.error) {
        // The window went away between the two reads (or never existed).
        return std::nullopt;
    }

    RunningApplication application;
    application.window = window;
    if (pid.reply && pid.reply->format == 32 &&
        xcb_get_property_value_length(pid.reply.get()) >= 4) {
        std::uint32_t value = 0;
        std::memcpy(&value, xcb_get_property_value(pid.reply.get()), sizeof value);
        application.pid = value;
    }
    // Tiklo's own windows are Tiklo's whatever class Qt gave them: keys typed into them must
    // never count as typed in another application.
    if (application.pid == getpid() && !ownAppID_.empty()) {
        application.appID = ownAppID_;
        return application;
    }
    // The desktop-file id names the application better than a class chosen by a toolkit.
    const std::string_view desktopID = untilNul(text(gtkApplicationID.reply.get()));
    application.appID = desktopID.empty() ? std::string(windowClass(text(wmClass.reply.get())))
                                          : std::string(desktopID);
    return application;
}

std::optional<RunningApplication> X11Workspace::lastOtherApplication() const {
    remember(frontmostApplication());
    return lastOther_;
}

bool X11Workspace::nativeEventFilter(const QByteArray& eventType, void* message,
                                     qintptr* /*result*/) {
    if (message == nullptr || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
    if (notify->window == root_ && notify->atom == activeWindowAtom_ &&
        activeWindowAtom_ != XCB_ATOM_NONE) {
        remember(frontmostApplication());
        emit frontmostApplicationChanged();
    }
    // Qt watches root properties too; never take the event from it.
    return false;
}

void X11Workspace::remember(const std::optional<RunningApplication>& application) const {
    if (!application || application->pid == getpid() ||
        (!ownAppID_.empty() && application->appID == ownAppID_)) {
        return;
    }
    lastOther_ = application;
}

} // namespace tiklo
