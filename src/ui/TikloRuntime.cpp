// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TikloRuntime.h"

#include "catalog/EmojiCatalog.h"
#include "platform/Log.h"
#include "ui/QuickPickerPanel.h"
#include "ui/theme/DesktopPreferences.h"
#include "ui/theme/EmojiFontCoverage.h"
#include "ui/theme/TextFontCoverage.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QApplication>

namespace tiklo {
namespace {

constexpr const char* pickerView = "qrc:/qt/qml/Tiklo/Picker/PickerHostView.qml";
// The update feed is fetched with this limit on the whole request.
constexpr std::chrono::seconds updateTimeLimit{15};
// The family the views draw emoji with (Theme.emojiFamily).
constexpr auto emojiFontFamily = "Noto Color Emoji";

// Emoji data that could not be read, and where to get it, and what the emoji font cannot
// draw: said once.
void reportCatalogSources() {
    const CatalogSourceReport& report = EmojiCatalog::shared().sourceReport();
    for (const CatalogSourceReport::Package& package : report.missingPackages()) {
        qCWarning(catalogLog, "no %.*s found; the Debian package %.*s provides it",
                  static_cast<int>(package.data.size()), package.data.data(),
                  static_cast<int>(package.name.size()), package.name.data());
    }
    if (report.undrawable > 0) {
        qCInfo(catalogLog, "%zu emoji left out: the font %s cannot draw them", report.undrawable,
               emojiFontFamily);
    }
}

// The catalog leaves out what the emoji font cannot draw, and the symbols and kaomoji no
// installed font draws. The checks open the fonts in the thread that builds the catalog, and
// go with the sources once that is done.
void leaveOutWhatTheFontCannotDraw() {
    const auto coverage = std::make_shared<EmojiFontCoverage>(QString::fromUtf8(emojiFontFamily));
    const auto textCoverage = std::make_shared<TextFontCoverage>();
    EmojiCatalog::setSharedDrawable(
        [coverage](std::string_view emoji) { return coverage->drawsAsOneGlyph(emoji); },
        [textCoverage](std::string_view text) { return textCoverage->drawsAll(text); });
}

} // namespace

TikloRuntime::TikloRuntime(Platform platform, Options options, QObject* parent)
    : QObject(parent), platform_(platform), loginItem_(platform_.loginItems),
      hotkeys_(platform_.hotkeys), state_(platform_.defaults, platform_.trust, loginItem_),
      history_(state_), hotkeyRegistration_(state_, hotkeys_), loginItemSync_(state_, loginItem_),
      exceptions_(state_, platform_.workspace),
      injector_(platform_.keyPoster, platform_.activator, platform_.keyboardHold,
                platform_.mainThread, platform_.sleeper),
      caretLocator_(platform_.trust, platform_.accessibility),
      inputMethodInjector_(injector_, platform_.inputMethod),
      session_({[]() -> const EmojiCatalog& { return EmojiCatalog::shared(); }, state_, history_,
                injector_, &inputMethodInjector_}),
      picker_({session_, state_, platform_.workspace, platform_.screens, platform_.keyboardHold,
               [this] { return caretLocator_.focusedField(); }, [this] { return makePanel(); }}),
      trigger_(state_, platform_.workspace, platform_.keyboardHold, platform_.inputMethod, picker_),
      // Soon after start, the catalog and the popup are made ready for the first ";".
      preparation_([] { EmojiCatalog::shared().prepare(); }, [this] { picker_.prepare(); },
                   reportCatalogSources),
      tap_(platform_.keyboard, platform_.trust, platform_.timers, state_,
           [this](const KeyDown& key) {
               preparation_.keyPressed();
               trigger_.handleKeyDown(key);
           }),
      appcastUpdater_({options.updateFeed, options.version, updateTimeLimit},
                      {updateDialogs_, platform_.defaults, platform_.timers}),
      updater_(appcastUpdater_),
      settingsBackend_({[]() -> const EmojiCatalog& { return EmojiCatalog::shared(); }, state_,
                        history_, exceptions_, hotkeyRegistration_, &platform_.keyboardLayout,
                        platform_.screens.reduceMotion()}),
      settingsWindow_(engine_, state_, settingsBackend_), welcomeWindow_(engine_, state_),
      application_(hotkeyRegistration_, tap_,
                   {[this] { updater_.start(); }, [this] { return state_.didCompleteOnboarding(); },
                    [this] { welcomeWindow_.show(); }}) {
    leaveOutWhatTheFontCannotDraw();
    ThemeIconProvider::install(engine_);
    DesktopPreferences::setDesktopReducesMotion(platform_.screens.reduceMotion());
    connect(&session_, &PickerSession::beepRequested, this, [] { QApplication::beep(); });
    connect(&hotkeyRegistration_, &HotkeyRegistration::pressed, this,
            &TikloRuntime::showFullPicker);
}

TikloRuntime::~TikloRuntime() = default;

void TikloRuntime::start() {
    platform_.accessibilityBus.watch(
        [this](AccessibilityBus::State bus) { state_.setCaretTracking(view::fromPlatform(bus)); });
    platform_.inputMethod.watch(
        [this](InputMethodRoute::Method method, InputMethodRoute::State route) {
            if (method == InputMethodRoute::Method::ibus) {
                state_.setIbusSearch(view::fromPlatform(route));
            } else {
                state_.setInputMethodSearch(view::fromPlatform(route));
            }
        });
    // IBus under GNOME cannot tell Tiklo's windows from the field they were opened over.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState now) {
                platform_.inputMethod.setOwnWindowActive(now == Qt::ApplicationActive);
            });
    platform_.inputMethod.onPickerRequest(
        [this](const std::string& kind, const std::string& group) {
            showFullPickerForInputMethod(kind, group);
        });
    application_.start();
    preparation_.start();
}

void TikloRuntime::terminate() {
    application_.terminate();
}

void TikloRuntime::showFullPicker() {
    picker_.show("", 0, std::nullopt, view::Presentation::Full);
}

void TikloRuntime::showFullPickerForInputMethod(const std::string& kind, const std::string& group) {
    showFullPicker();
    session_.deliverThroughInputMethod();
    if (const std::optional<ItemKind> tab = itemKindFromRaw(kind)) {
        session_.showGroup(view::fromCatalog(*tab), QString::fromStdString(group));
    }
}

std::unique_ptr<PickerPanel> TikloRuntime::makePanel() {
    emit makingPanel();
    auto panel = std::make_unique<QuickPickerPanel>(
        engine_, QUrl(QString::fromLatin1(pickerView)),
        QVariantMap{{"session", QVariant::fromValue(&session_)},
                    {"appState", QVariant::fromValue(&state_)}},
        &platform_.keyboardLayout, &platform_.keyboardHold, &platform_.workspace);
    panel->setHeldKeyHandler([this](const KeyDown& key) { trigger_.keyHeldBehindInsertion(key); });
    emit panelMade(panel.get());
    return panel;
}

} // namespace tiklo
