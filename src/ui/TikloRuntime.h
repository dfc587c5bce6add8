// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppExceptions.h"
#include "app/AppState.h"
#include "app/HotkeyManager.h"
#include "app/HotkeyRegistration.h"
#include "app/LoginItem.h"
#include "app/LoginItemSync.h"
#include "app/UsageHistory.h"
#include "app/updates/AppcastUpdater.h"
#include "app/updates/UpdaterController.h"
#include "input/CaretLocator.h"
#include "input/EventTap.h"
#include "input/Injector.h"
#include "input/InputMethodInjector.h"
#include "input/TriggerEngine.h"
#include "picker/PickerController.h"
#include "picker/PickerSession.h"
#include "platform/Platform.h"
#include "ui/BackgroundPreparation.h"
#include "ui/OnboardingWindowController.h"
#include "ui/SettingsWindowController.h"
#include "ui/TikloApplication.h"
#include "ui/UpdateDialogs.h"
#include "ui/settings/SettingsBackend.h"

#include <QObject>
#include <QQmlEngine>
#include <QString>
#include <QUrl>

namespace tiklo {

class QuickPickerPanel;

// Tiklo's services over a platform, wired together: the settings store and the services
// around it, key observation and the trigger, the injector, the picker with its session and
// window, the preparation of the first popup, the updater, the settings and welcome windows,
// start-up and termination. The program builds one, and so does the latency benchmark, so
// both run the same objects wired the same way. Main thread only.
class TikloRuntime : public QObject {
    Q_OBJECT
public:
    struct Options {
        QUrl updateFeed; // empty: no update checks
        QString version;
    };

    explicit TikloRuntime(Platform platform, Options options = {}, QObject* parent = nullptr);
    ~TikloRuntime() override;

    // Registers the global hotkey, starts observing keys and the updater, opens the welcome
    // window until onboarding is complete, and prepares the first popup soon after.
    void start();
    // Releases the hotkey and stops observing; nothing is saved then.
    void terminate();

    void showFullPicker();
    // The full picker for a field the input method holds, its choices going in through it.
    // At a group of a tab (raw kind and group, as the input method asked; empty: as the
    // shortcut opens it).
    void showFullPickerForInputMethod(const std::string& kind, const std::string& group);
    void showSettings() { settingsWindow_.show(); }
    void showPermissions() { settingsWindow_.show(QStringLiteral("permissions")); }
    void showWelcome() { welcomeWindow_.show(); }

    AppState& state() { return state_; }
    PickerSession& session() { return session_; }
    PickerController& picker() { return picker_; }
    TriggerEngine& trigger() { return trigger_; }
    Injector& injector() { return injector_; }
    QQmlEngine& engine() { return engine_; }
    UpdaterController& updater() { return updater_; }

signals:
    // Around the picker window's making, on its first showing (the views are loaded then).
    void makingPanel();
    void panelMade(tiklo::QuickPickerPanel* panel);

private:
    std::unique_ptr<PickerPanel> makePanel();

    Platform platform_;
    LoginItem loginItem_;
    HotkeyManager hotkeys_;
    AppState state_;
    UsageHistory history_;
    HotkeyRegistration hotkeyRegistration_;
    LoginItemSync loginItemSync_;
    AppExceptions exceptions_;
    Injector injector_;
    CaretLocator caretLocator_;
    InputMethodInjector inputMethodInjector_;
    QQmlEngine engine_;
    PickerSession session_;
    PickerController picker_;
    TriggerEngine trigger_;
    BackgroundPreparation preparation_;
    EventTap tap_;
    UpdateDialogs updateDialogs_;
    AppcastUpdater appcastUpdater_;
    UpdaterController updater_;
    SettingsBackend settingsBackend_;
    SettingsWindowController settingsWindow_;
    OnboardingWindowController welcomeWindow_;
    TikloApplication application_;
};

} // namespace tiklo
