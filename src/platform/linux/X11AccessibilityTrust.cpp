// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11AccessibilityTrust.h"

#include "platform/linux/X11Reply.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QStandardPaths>
#include <xcb/xinput.h>
#include <xcb/xtest.h>

namespace tiklo {
namespace {

bool offersXInput22(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_input_id);
    if (extension == nullptr || extension->present == 0) {
        return false;
    }
    // The server refuses a client asking for less than it announced before on the same
    // connection (Qt announces its own version at start-up), so ask for the newest version
    // these headers know; the answer is what the two sides share.
    xcb_generic_error_t* rawError = nullptr;
    const Reply<xcb_input_xi_query_version_reply_t> version(xcb_input_xi_query_version_reply(
        connection,
        xcb_input_xi_query_version(connection, XCB_INPUT_MAJOR_VERSION, XCB_INPUT_MINOR_VERSION),
        &rawError));
    const Reply<xcb_generic_error_t> error(rawError);
    if (error) {
        // BadValue: this connection already settled on a version newer than ours, so newer
        // than 2.2 as well.
        return error->error_code == XCB_VALUE;
    }
    return version && (version->major_version > 2 ||
                       (version->major_version == 2 && version->minor_version >= 2));
}

bool offersXTest(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_test_id);
    if (extension == nullptr || extension->present == 0) {
        return false;
    }
    const Reply<xcb_test_get_version_reply_t> version(xcb_test_get_version_reply(
        connection,
        xcb_test_get_version(connection, XCB_TEST_MAJOR_VERSION, XCB_TEST_MINOR_VERSION), nullptr));
    return version != nullptr;
}

// Starts `program` when installed; never waits for it.
bool launch(const QString& program, const QStringList& arguments) {
    const QString path = QStandardPaths::findExecutable(program);
    return !path.isEmpty() && QProcess::startDetached(path, arguments);
}

} // namespace

X11AccessibilityTrust::X11AccessibilityTrust(xcb_connection_t* connection)
    : connection_(connection) {}

bool X11AccessibilityTrust::isTrusted() const {
    if (!trusted_) {
        trusted_ = queryDisplay();
    }
    return *trusted_;
}

bool X11AccessibilityTrust::queryDisplay() const {
    if (connection_ == nullptr || xcb_connection_has_error(connection_) != 0) {
        return false;
    }
    return offersXInput22(connection_) && offersXTest(connection_);
}

void X11AccessibilityTrust::requestTrust() {
    QDBusMessage enable = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    enable << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled")
           << QVariant::fromValue(QDBusVariant(true));
    // No reply is awaited: the bus launcher may be slow to start, or missing.
    QDBusConnection::sessionBus().call(enable, QDBus::NoBlock);

    if (!launch(QStringLiteral("gnome-control-center"), {QStringLiteral("universal-access")})) {
        launch(QStringLiteral("systemsettings"), {QStringLiteral("kcm_access")});
    }
}

bool X11AccessibilityTrust::x11ApplicationsOnly() const {
    // The login manager names the session's kind; a compositor started otherwise announces
    // its socket.
    return qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace tiklo
