#include "ui/TikloRuntime.h"

#include "catalog/EmojiCatalog.h"
#include "ui/QuickPickerPanel.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QApplication>

namespace tiklo {
namespace {

constexpr const char* pickerView = "qrc:/qt/qml/Tiklo/Picker/PickerHostView.qml";

} // namespace

TikloRuntime::TikloRuntime(Platform platform, QObject* parent)
    : QObject(parent), platform_(platform), loginItem_(platform_.loginItems),
      hotkeys_(platform_.hotkeys), state_(platform_.defaults, platform_.trust, loginItem_),
      history_(state_), hotkeyRegistration_(state_, hotkeys_), loginItemSync_(state_, loginItem_),
      exceptions_(state_, platform_.workspace),
      injector_(platform_.keyPoster, platform_.activator, platform_.keyboardHold,
                platform_.mainThread, platform_.sleeper),
      caretLocator_(platform_.trust, platform_.accessibility),
      session_({[]() -> const EmojiCatalog& { return EmojiCatalog::shared(); }, state_, history_,
                injector_}),
      picker_({session_, state_, platform_.workspace, platform_.screens, platform_.keyboardHold,
               [this] { return caretLocator_.caretRect(); }, [this] { return makePanel(); }}),
      trigger_(state_, platform_.workspace, platform_.keyboardHold, picker_),
      tap_(platform_.keyboard, platform_.trust, platform_.timers, state_,
           [this](const KeyDown& key) { trigger_.handleKeyDown(key); }),
      application_(hotkeyRegistration_, tap_) {
    ThemeIconProvider::install(engine_);
    connect(&session_, &PickerSession::beepRequested, this, [] { QApplication::beep(); });
    connect(&hotkeyRegistration_, &HotkeyRegistration::pressed, this,
            [this] { picker_.show("", 0, std::nullopt, PickerPresentationMode::full); });
}

TikloRuntime::~TikloRuntime() = default;

void TikloRuntime::start() {
    application_.start();
}

void TikloRuntime::terminate() {
    application_.terminate();
}

std::unique_ptr<PickerPanel> TikloRuntime::makePanel() {
    emit makingPanel();
    auto panel =
        std::make_unique<QuickPickerPanel>(engine_, QUrl(QString::fromLatin1(pickerView)),
                                           QVariantMap{{"session", QVariant::fromValue(&session_)},
                                                       {"appState", QVariant::fromValue(&state_)}},
                                           &platform_.keyboardLayout, &platform_.keyboardHold);
    emit panelMade(panel.get());
    return panel;
}

} // namespace tiklo
