// Tiklo's composition root: builds the Linux platform objects and the services, wires
// them together and runs the application.
#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/HotkeyManager.h"
#include "app/LoginItem.h"
#include "catalog/EmojiCatalog.h"
#include "input/CaretLocator.h"
#include "input/EventTap.h"
#include "input/Injector.h"
#include "input/TriggerEngine.h"
#include "picker/PickerController.h"
#include "picker/PickerSession.h"
#include "platform/linux/AtspiAccessibility.h"
#include "platform/linux/InstanceLock.h"
#include "platform/linux/PropertyListDefaultsFile.h"
#include "platform/linux/QtMainThreadExecutor.h"
#include "platform/linux/QtScreens.h"
#include "platform/linux/QtTimerFactory.h"
#include "platform/linux/SyntheticEventLedger.h"
#include "platform/linux/ThreadSleeper.h"
#include "platform/linux/X11AccessibilityTrust.h"
#include "platform/linux/X11ApplicationActivator.h"
#include "platform/linux/X11HotkeyService.h"
#include "platform/linux/X11InputConnection.h"
#include "platform/linux/X11KeyPoster.h"
#include "platform/linux/X11KeyboardHold.h"
#include "platform/linux/X11KeyboardMonitor.h"
#include "platform/linux/X11Workspace.h"
#include "platform/linux/XdgAutostartEntry.h"
#include "ui/QuickPickerPanel.h"
#include "ui/TikloApplication.h"
#include "ui/TrayMenu.h"
#include "ui/theme/ThemeIconProvider.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>

#include <QApplication>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QtPlugin>
#include <QtQml/qqmlextensionplugin.h>
#include <xcb/xcb.h>

Q_IMPORT_QML_PLUGIN(Tiklo_ThemePlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_PickerPlugin)

namespace {

constexpr const char* applicationID = "io.tiklo.Tiklo";
constexpr const char* pickerView = "qrc:/qt/qml/Tiklo/Picker/PickerHostView.qml";

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

    // One Tiklo per user: a second launch leaves the running one alone.
    const InstanceLock::Folder lockFolder =
        InstanceLock::folder(std::getenv("XDG_RUNTIME_DIR"), temporaryRoot, ::getuid());
    if (!lockFolder.problem.empty()) {
        std::fprintf(stderr, "tiklo: no folder for the instance lock: %s\n",
                     lockFolder.problem.c_str());
        return failedStatus;
    }
    InstanceLock instanceLock(lockFolder.path / lockFileName);
    switch (instanceLock.tryAcquire()) {
    case InstanceLock::Outcome::heldByAnother:
        std::fputs("tiklo: Tiklo is already running\n", stderr);
        return 0;
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

    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        std::fputs("Tiklo needs an X11 session.\n", stderr);
        return failedStatus;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    PropertyListDefaultsFile defaults(PropertyListDefaultsFile::defaultPath());
    X11HotkeyService hotkeyService(connection, root);
    app.installNativeEventFilter(&hotkeyService);
    HotkeyManager hotkeys(hotkeyService);
    XdgAutostartEntry autostart(XdgAutostartEntry::defaultPath(applicationID),
                                XdgAutostartEntry::runningExecutable());
    LoginItem loginItem(autostart);
    X11Workspace workspace(connection, root, applicationID);
    app.installNativeEventFilter(&workspace);
    X11AccessibilityTrust trust(connection);
    AppState state({defaults, hotkeys, loginItem, workspace, trust});
    AppState::setShared(&state);

    ThreadSleeper sleeper;
    SyntheticEventLedger ledger;
    X11InputConnection input;
    X11KeyboardHold keyboardHold(input, ledger);
    X11KeyPoster poster(input, keyboardHold, ledger, sleeper);
    X11ApplicationActivator activator(connection, root, sleeper);
    QtMainThreadExecutor mainThread;
    Injector injector(poster, activator, keyboardHold, mainThread, sleeper);

    QtScreens screens;
    AtspiAccessibility accessibility([&workspace]() -> std::optional<long> {
        const auto front = workspace.frontmostApplication();
        return front ? std::optional<long>(front->pid) : std::nullopt;
    });
    CaretLocator caretLocator(trust, accessibility);

    X11KeyboardMonitor monitor(connection, root, ledger);
    QQmlEngine engine;
    ThemeIconProvider::install(engine);
    PickerController* controller = nullptr;
    PickerSession session({[]() -> const EmojiCatalog& { return EmojiCatalog::shared(); }, state,
                           injector, [&controller] { controller->hide(); },
                           [] { QApplication::beep(); }});
    PickerController picker({session, state, workspace, screens, keyboardHold,
                             [&caretLocator] { return caretLocator.caretRect(); },
                             [&]() -> std::unique_ptr<PickerPanel> {
                                 return std::make_unique<QuickPickerPanel>(
                                     engine, QUrl(QString::fromLatin1(pickerView)),
                                     QVariantMap{{"session", QVariant::fromValue(&session)},
                                                 {"appState", QVariant::fromValue(&state)}},
                                     &monitor, &keyboardHold);
                             }});
    controller = &picker;

    TriggerEngine trigger(state, workspace, keyboardHold, picker);
    QtTimerFactory timers;
    EventTap tap(monitor, trust, timers, state,
                 [&trigger](const KeyDown& key) { trigger.handleKeyDown(key); });

    TikloApplication tiklo(
        state, tap, [&picker] { picker.show("", 0, std::nullopt, PickerPresentationMode::full); });
    TrayMenu tray(state, [] { QApplication::quit(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&] {
        tiklo.terminate();
        mainThread.shutDown();
    });
    tiklo.start();
    return QApplication::exec();
}
