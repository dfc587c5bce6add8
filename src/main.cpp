// Tiklo's composition root: builds the Linux platform objects and the services, wires
// them together and runs the application.
#include "AppState.h"
#include "AppcastUpdater.h"
#include "AtspiAccessibility.h"
#include "BackgroundPreparation.h"
#include "CaretLocator.h"
#include "CommandLine.h"
#include "EmojiCatalog.h"
#include "EventTap.h"
#include "HotkeyManager.h"
#include "Injector.h"
#include "InstanceLock.h"
#include "LoginItem.h"
#include "OnboardingWindowController.h"
#include "PickerController.h"
#include "PickerSession.h"
#include "PropertyListDefaultsFile.h"
#include "QtMainThreadExecutor.h"
#include "QtScreens.h"
#include "QtTimerFactory.h"
#include "QuickPickerPanel.h"
#include "SettingsWindowController.h"
#include "SyntheticEventLedger.h"
#include "ThemeIconProvider.h"
#include "ThreadSleeper.h"
#include "TikloApplication.h"
#include "TrayMenu.h"
#include "TriggerEngine.h"
#include "UpdateDialogs.h"
#include "UpdaterController.h"
#include "X11AccessibilityTrust.h"
#include "X11ApplicationActivator.h"
#include "X11HotkeyService.h"
#include "X11InputConnection.h"
#include "X11KeyPoster.h"
#include "X11KeyboardHold.h"
#include "X11KeyboardMonitor.h"
#include "X11Workspace.h"
#include "XdgAutostartEntry.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>

#include <QApplication>
#include <QLoggingCategory>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QtPlugin>
#include <QtQml/qqmlextensionplugin.h>
#include <xcb/xcb.h>

Q_IMPORT_QML_PLUGIN(Tiklo_ThemePlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_PickerPlugin)

Q_LOGGING_CATEGORY(catalogLog, "tiklo.catalog")

namespace {

constexpr const char* applicationID = "io.tiklo.Tiklo";
constexpr const char* pickerView = "qrc:/qt/qml/Tiklo/Picker/PickerHostView.qml";

// Exit statuses besides success.
constexpr int failedStatus = 1;
constexpr int usageStatus = 2;
// Where the lock folder goes when the session has no runtime folder.
constexpr const char* temporaryRoot = "/tmp";
constexpr const char* lockFileName = "tiklo.lock";
// The update feed is fetched with this limit on the whole request.
constexpr std::chrono::seconds updateTimeLimit{15};

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

// Emoji data that could not be read, and where to get it: said once.
void reportMissingEmojiData() {
    for (const tiklo::CatalogSourceReport::Package& package :
         tiklo::EmojiCatalog::shared().sourceReport().missingPackages()) {
        qCWarning(catalogLog, "no %.*s found; the Debian package %.*s provides it",
                  static_cast<int>(package.data.size()), package.data.data(),
                  static_cast<int>(package.name.size()), package.name.data());
    }
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
    CaretLocator caretLocator(trust, accessibility, screens);

    X11KeyboardMonitor monitor(connection, root, ledger);
    QQmlEngine engine;
    ThemeIconProvider::install(engine);
    PickerController* controller = nullptr;
    PickerSession session({[]() -> const EmojiCatalog& { return EmojiCatalog::shared(); }, state,
                           injector, [&controller] { controller->hide(); },
                           [] { QApplication::beep(); }});
    PickerController picker({session, state, workspace, screens, keyboardHold,
                             [&caretLocator] { return caretLocator.focusedField(); },
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
    // Soon after start, the catalog and the popup are made ready for the first ";".
    BackgroundPreparation preparation([] { EmojiCatalog::shared().index(); },
                                      [&picker] { picker.prepare(); }, reportMissingEmojiData);
    EventTap tap(monitor, trust, timers, state, [&](const KeyDown& key) {
        preparation.keyPressed();
        trigger.handleKeyDown(key);
    });

    UpdateDialogs updateDialogs;
    AppcastUpdater appcastUpdater(
        {QUrl(QStringLiteral(TIKLO_UPDATE_FEED)), QStringLiteral(TIKLO_VERSION), updateTimeLimit},
        {updateDialogs, defaults, timers});
    UpdaterController updater(appcastUpdater);
    SettingsWindowController settingsWindow(engine, state);
    OnboardingWindowController welcomeWindow(engine, state);

    const auto showFullPicker = [&picker] {
        picker.show("", 0, std::nullopt, PickerPresentationMode::full);
    };
    TikloApplication tiklo(state, tap, showFullPicker,
                           {[&updater] { updater.start(); },
                            [&state] { return state.didCompleteOnboarding(); },
                            [&welcomeWindow] { welcomeWindow.show(); }});
    TrayMenu tray(state, updater,
                  {showFullPicker, [&settingsWindow] { settingsWindow.show(); },
                   [&welcomeWindow] { welcomeWindow.show(); }, [] { QApplication::quit(); }});
    QObject::connect(&app, &QCoreApplication::aboutToQuit, [&] {
        // An insertion waiting for a stopped application must not keep Tiklo from quitting.
        input.interrupt();
        tiklo.terminate();
        mainThread.shutDown();
    });
    tiklo.start();
    preparation.start();
    return QApplication::exec();
}
