// Tiklo's composition root: builds the Linux platform objects and the services, wires
// them together and runs the application.
#include "AppState.h"
#include "AtspiAccessibility.h"
#include "CaretLocator.h"
#include "EmojiCatalog.h"
#include "EventTap.h"
#include "HotkeyManager.h"
#include "Injector.h"
#include "LoginItem.h"
#include "PickerController.h"
#include "PickerSession.h"
#include "PropertyListDefaultsFile.h"
#include "QtMainThreadExecutor.h"
#include "QtScreens.h"
#include "QtTimerFactory.h"
#include "QuickPickerPanel.h"
#include "SyntheticEventLedger.h"
#include "ThemeIconProvider.h"
#include "ThreadSleeper.h"
#include "TikloApplication.h"
#include "TrayMenu.h"
#include "TriggerEngine.h"
#include "X11AccessibilityTrust.h"
#include "X11ApplicationActivator.h"
#include "X11HotkeyService.h"
#include "X11InputConnection.h"
#include "X11KeyPoster.h"
#include "X11KeyboardHold.h"
#include "X11KeyboardMonitor.h"
#include "X11Workspace.h"
#include "XdgAutostartEntry.h"

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QStandardPaths>
#include <QtPlugin>
#include <QtQml/qqmlextensionplugin.h>
#include <xcb/xcb.h>

Q_IMPORT_QML_PLUGIN(Tiklo_ThemePlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_PickerPlugin)

namespace {

constexpr const char* applicationID = "io.tiklo.Tiklo";
constexpr const char* pickerView = "qrc:/qt/qml/Tiklo/Picker/PickerHostView.qml";

// One Tiklo per user session: a second launch leaves the running one alone.
QString instanceLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
    }
    return folder + QStringLiteral("/tiklo.lock");
}

} // namespace

int main(int argc, char** argv) {
    // Tiklo drives X11 directly (key observation, injection, hot keys).
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tiklo"));
    QApplication::setDesktopFileName(QString::fromLatin1(applicationID));
    QApplication::setQuitOnLastWindowClosed(false);
    // A small popup needs no GPU context: the software renderer keeps Tiklo's memory and
    // its first popup's start-up small.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);

    QLockFile instanceLock(instanceLockPath());
    instanceLock.setStaleLockTime(0);
    if (!instanceLock.tryLock(0)) {
        return 0;
    }

    auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        std::fputs("Tiklo needs an X11 session.\n", stderr);
        return 1;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    using namespace tiklo;

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
                             [&caretLocator] { return caretLocator.caretRect(); },
                             [&]() -> std::unique_ptr<PickerPanel> {
                                 return std::make_unique<QuickPickerPanel>(
                                     engine, QUrl(QString::fromLatin1(pickerView)),
                                     QVariantMap{{"session", QVariant::fromValue(&session)},
                                                 {"appState", QVariant::fromValue(&state)}},
                                     &monitor);
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
