#pragma once

#include "app/AppExceptions.h"
#include "app/AppState.h"
#include "app/HotkeyManager.h"
#include "app/HotkeyRegistration.h"
#include "app/LoginItem.h"
#include "app/LoginItemSync.h"
#include "app/UsageHistory.h"
#include "input/CaretLocator.h"
#include "input/EventTap.h"
#include "input/Injector.h"
#include "input/TriggerEngine.h"
#include "picker/PickerController.h"
#include "picker/PickerSession.h"
#include "platform/Platform.h"
#include "ui/TikloApplication.h"

#include <QObject>
#include <QQmlEngine>
#include <QUrl>

namespace tiklo {

class QuickPickerPanel;

// Tiklo's services over a platform, wired together: the settings store and the services
// around it, key observation and the trigger, the injector, the picker with its session and
// window, start-up and termination. The program builds one, and so does the latency
// benchmark, so both run the same objects wired the same way. Main thread only.
class TikloRuntime : public QObject {
    Q_OBJECT
public:
    explicit TikloRuntime(Platform platform, QObject* parent = nullptr);
    ~TikloRuntime() override;

    // Registers the global hotkey and starts observing keys.
    void start();
    // Releases the hotkey and stops observing; nothing is saved then.
    void terminate();

    AppState& state() { return state_; }
    PickerSession& session() { return session_; }
    PickerController& picker() { return picker_; }
    TriggerEngine& trigger() { return trigger_; }
    QQmlEngine& engine() { return engine_; }

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
    QQmlEngine engine_;
    PickerSession session_;
    PickerController picker_;
    TriggerEngine trigger_;
    EventTap tap_;
    TikloApplication application_;
};

} // namespace tiklo
