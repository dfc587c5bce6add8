// SPDX-License-Identifier: GPL-3.0-or-later
// Tiklo's entry: answers the command line, takes the instance lock, checks the display, then
// runs the services (TikloRuntime) over the Linux desktop (LinuxPlatform) with the tray.
#include "app/CommandLine.h"
#include "platform/linux/InstanceLock.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/RunningProgram.h"
#include "ui/TikloRuntime.h"
#include "ui/Translations.h"
#include "ui/TrayMenu.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>

#include <QApplication>
#include <QQuickWindow>
#include <QtPlugin>
#include <QtQml/qqmlextensionplugin.h>
#include <xcb/xcb.h>

Q_IMPORT_QML_PLUGIN(Tiklo_AppPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_SessionPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_ThemePlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_PickerPlugin)

namespace {

constexpr const char* applicationID = "io.tiklo.Tiklo";

// Exit statuses besides success.
constexpr int failedStatus = 1;
constexpr int usageStatus = 2;
// Where the lock folder goes when the session has no runtime folder.
constexpr const char* temporaryRoot = "/tmp";
constexpr const char* lockFileName = "tiklo.lock";

// Without a display Qt aborts with advice about reinstalling; say what is missing instead.
std::optional<std::string> displayProblem() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        return "DISPLAY is not set: Tiklo needs an X11 display";
    }
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed) {
        return "cannot open the X11 display named by DISPLAY (" + std::string(display) + ")";
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    using namespace tiklo;

    const CommandLine::Parsed command = CommandLine::parse(argc, argv, TIKLO_VERSION);
    switch (command.action) {
    case CommandLine::Action::help:
    case CommandLine::Action::version:
        std::fputs(command.text.c_str(), stdout);
        return 0;
    case CommandLine::Action::refuse:
        std::fputs(command.text.c_str(), stderr);
        return usageStatus;
    case CommandLine::Action::run:
        break;
    }

    // One Tiklo per user: a second launch shows a window of the running one.
    const InstanceLock::Folder lockFolder =
        InstanceLock::folder(std::getenv("XDG_RUNTIME_DIR"), temporaryRoot, ::getuid());
    if (!lockFolder.problem.empty()) {
        std::fprintf(stderr, "tiklo: no folder for the instance lock: %s\n",
                     lockFolder.problem.c_str());
        return failedStatus;
    }
    InstanceLock instanceLock(lockFolder.path / lockFileName);
    switch (instanceLock.tryAcquire()) {
    case InstanceLock::Outcome::heldByAnother: {
        const QCoreApplication asking(argc, argv);
        if (!RunningProgram::ask(command.window == CommandLine::Window::picker ? "ShowPicker"
                                                                               : "ShowSettings")) {
            std::fputs("tiklo: Tiklo is already running\n", stderr);
        }
        return 0;
    }
    case InstanceLock::Outcome::failed:
        std::fprintf(stderr, "tiklo: cannot take the instance lock %s\n",
                     instanceLock.error().c_str());
        return failedStatus;
    case InstanceLock::Outcome::acquired:
        break;
    }

    if (const std::optional<std::string> problem = displayProblem()) {
        std::fprintf(stderr, "tiklo: %s\n", problem->c_str());
        return usageStatus;
    }

    // Tiklo drives X11 directly (key observation, injection, hot keys).
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tiklo"));
    QApplication::setApplicationVersion(QStringLiteral(TIKLO_VERSION));
    QApplication::setDesktopFileName(QString::fromLatin1(applicationID));
    QApplication::setQuitOnLastWindowClosed(false);
    // A small popup needs no GPU context: the software renderer keeps Tiklo's memory and
    // its first popup's start-up small.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    // Every window and the tray menu read their texts as they are built: the language first.
    const Translations translations(Translations::userLocale());

    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        std::fputs("Tiklo needs an X11 session.\n", stderr);
        return failedStatus;
    }
    LinuxPlatform platform(x11->connection(), applicationID, {});
    TikloRuntime tiklo(platform.platform(),
                       {QUrl(QStringLiteral(TIKLO_UPDATE_FEED)), QStringLiteral(TIKLO_VERSION)});
    TrayMenu tray(tiklo.state(), tiklo.updater(),
                  {[&tiklo] { tiklo.showFullPicker(); }, [&tiklo] { tiklo.showSettings(); },
                   [&tiklo] { tiklo.showPermissions(); }, [&tiklo] { tiklo.showWelcome(); },
                   [] { QApplication::quit(); }});
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&] {
        tiklo.terminate();
        platform.shutDown();
    });
    // Where an input method holds the focused field (GNOME under Wayland, say), Tiklo cannot
    // type there: the emoji goes back through it, as for its own shortcut.
    platform.programBus().showPicker = [&platform, &tiklo] {
        platform.inputMethods().openPickerForFocusedField([&tiklo] { tiklo.showFullPicker(); });
    };
    platform.programBus().showSettings = [&tiklo] { tiklo.showSettings(); };
    tiklo.start();
    if (command.window == CommandLine::Window::picker) {
        // Where the choice goes depends on whether an input method holds the focused field:
        // wait for their first answers.
        platform.inputMethods().whenAnswered([&platform] { platform.programBus().showPicker(); });
    } else if (command.window == CommandLine::Window::settings) {
        tiklo.showSettings();
    }
    return QApplication::exec();
}
