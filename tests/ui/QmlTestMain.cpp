// SPDX-License-Identifier: GPL-3.0-or-later
// Qt Quick Test runner with the program's QML modules, symbol images, and the real session
// and store behind the views (as the singleton Rig of Tiklo.TestSupport).
#include "app/LoginItemSync.h"
#include "core/KeyNames.h"
#include "picker/PickerSession.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"
#include "ui/settings/SettingsBackend.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest>

Q_IMPORT_QML_PLUGIN(Tiklo_AppPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_SessionPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_ThemePlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_PickerPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_SettingsPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_OnboardingPlugin)

namespace tiklo::test {
namespace {

constexpr double now = 800000000.0;

std::vector<std::string> strings(const QStringList& list) {
    std::vector<std::string> converted;
    for (const QString& text : list) {
        converted.push_back(text.toStdString());
    }
    return converted;
}

} // namespace

// The real session, store and settings services behind the views, over fakes of the system and
// an in-memory catalog the test fills; what reached the system and the settings file is readable.
class QmlTestRig : public QObject {
    Q_OBJECT
    Q_PROPERTY(tiklo::PickerSession* session READ session CONSTANT)
    Q_PROPERTY(tiklo::AppState* appState READ appState CONSTANT)
    Q_PROPERTY(tiklo::SettingsBackend* backend READ backend CONSTANT)
    // The texts handed to the injector, in order.
    Q_PROPERTY(QStringList typed READ typed)
    Q_PROPERTY(int hides MEMBER hides_)
    // Cancellations: the target application brought back without typing.
    Q_PROPERTY(int closes READ closes)
    // Requests for the accessibility permission made through the store.
    Q_PROPERTY(int accessibilityRequests READ accessibilityRequests)
    // The hotkey the system holds for Tiklo, as people read it; "" when none.
    Q_PROPERTY(QString grabbedHotkey READ grabbedHotkey)
    Q_PROPERTY(bool loginItemRegistered READ loginItemRegistered)

public:
    QmlTestRig() {
        connect(&session_, &PickerSession::hideRequested, this, [this] { ++hides_; });
        reset();
    }

    PickerSession* session() { return &session_; }
    AppState* appState() { return &environment_.state; }
    SettingsBackend* backend() { return &backend_; }
    QStringList typed() const {
        QStringList texts;
        for (const FakeTextInjector::Replace& replace : injector_.replaced) {
            texts.append(QString::fromStdString(replace.text));
        }
        return texts;
    }
    int closes() const { return static_cast<int>(injector_.reactivated.size()); }
    int accessibilityRequests() const { return environment_.trust.requests; }
    QString grabbedHotkey() const {
        const FakeHotkeyService& service = environment_.hotkeyService;
        for (const FakeHotkeyService::Call& call : service.calls) {
            if (call.what == "register" && service.grabbed.contains(call.id)) {
                return QString::fromStdString(KeyNames::format(call.key));
            }
        }
        return {};
    }
    bool loginItemRegistered() const { return environment_.loginService.registered; }
    // A value as the settings file holds it (the hotkey's or a list's JSON), or "".
    Q_INVOKABLE QString stored(const QString& key) const {
        return QString::fromStdString(
            environment_.defaults.dataValue(key.toStdString()).value_or(""));
    }

    // A fresh inline popup over an empty catalog, nothing asked for or held elsewhere; every
    // setting at its default (the default hotkey registered) but the permission, granted.
    Q_INVOKABLE void reset() {
        backend_.recorder()->stop();
        environment_.hotkeyService.heldElsewhere.clear();
        environment_.loginService.refusal.reset();
        environment_.workspace.lastOther.reset();
        injector_.replaced.clear();
        injector_.reactivated.clear();
        hides_ = 0;
        items_.clear();
        replaceCatalog();
        AppState& state = environment_.state;
        state.setMasterEnabled(true);
        state.setLaunchAtLogin(false);
        state.setAccessibilityGranted(true);
        state.setX11ApplicationsOnly(false);
        state.setCaretTracking(view::CaretTracking::Unknown);
        state.setPickerMode(view::PickerMode::Grid);
        state.setDefaultSkinTone(view::SkinTone::Standard);
        state.setTriggerPrefix(";");
        state.setInsertSpaceAfterTrigger(false);
        state.setFavorites({});
        state.setRecents({});
        state.setEmojiUsage({});
        state.setExcludedAppIDs({});
        state.setHotkey(Hotkey{}); // registers it
        environment_.defaults.values.clear();
        session_.reset();
        session_.setPresentationMode(view::Presentation::Inline);
        session_.setReplacementBackspaces(1);
        session_.refreshResults();
    }
    // `count` items, named "item 00", "item 01"... or by `names`, in that order in the
    // results: each with an emoji of its own that no built-in ranking favours (mahjong tiles
    // from U+1F000), in the category Objects.
    Q_INVOKABLE void fill(int count, const QStringList& names = {}) {
        items_.clear();
        for (int i = 0; i < count; ++i) {
            const QString name =
                i < names.size() ? names[i] : QStringLiteral("item %1").arg(i, 2, 10, QChar(u'0'));
            const char32_t tile = 0x1F000 + static_cast<char32_t>(i);
            items_.push_back({.emoji = QString::fromUcs4(&tile, 1).toStdString(),
                              .name = name.toStdString(),
                              .shortcode = QString(name).replace(u' ', u'_').toStdString(),
                              .category = EmojiCategory::objects,
                              .keywords = {}});
        }
        replaceCatalog();
    }
    // One more item that takes a skin tone: a waving hand.
    Q_INVOKABLE void addHand(const QString& name) {
        items_.push_back({"\U0001F44B",
                          name.toStdString(),
                          "hand_" + std::to_string(items_.size()),
                          EmojiCategory::people,
                          {},
                          true});
        replaceCatalog();
    }
    // Each id learned once.
    Q_INVOKABLE void setUsage(const QStringList& ids) {
        AppState::Usage usage;
        for (const std::string& id : strings(ids)) {
            usage[id] = EmojiUsage{1, now};
        }
        environment_.state.setEmojiUsage(std::move(usage));
    }
    Q_INVOKABLE void setFavorites(const QStringList& ids) {
        const std::vector<std::string> list = strings(ids);
        environment_.state.setFavorites({list.begin(), list.end()});
    }
    Q_INVOKABLE void setRecents(const QStringList& ids) {
        environment_.state.setRecents(strings(ids));
    }
    Q_INVOKABLE void refuseLoginItem(bool refuse) {
        environment_.loginService.refusal =
            refuse ? std::optional<std::string>("not allowed") : std::nullopt;
    }
    // Another program holds the key (an X keysym) with those modifiers.
    Q_INVOKABLE void holdElsewhere(int keysym, bool ctrl, bool alt, bool shift, bool super) {
        Modifiers modifiers;
        modifiers = ctrl ? modifiers | Modifier::ctrl : modifiers;
        modifiers = alt ? modifiers | Modifier::alt : modifiers;
        modifiers = shift ? modifiers | Modifier::shift : modifiers;
        modifiers = super ? modifiers | Modifier::super : modifiers;
        environment_.hotkeyService.heldElsewhere.push_back(
            Key{static_cast<KeySym>(keysym), modifiers});
    }
    // The application in front before Tiklo's window.
    Q_INVOKABLE void setLastApplication(const QString& appID) {
        environment_.workspace.lastOther = RunningApplication{appID.toStdString(), 1, 1};
    }

private:
    void replaceCatalog() {
        auto catalog = std::make_unique<EmojiCatalog>(items_, [] { return now; });
        // The session's results point into the catalog: they are replaced before it goes.
        std::swap(catalog_, catalog);
        session_.refreshResults();
    }

    FakeAppEnvironment environment_;
    FakeTextInjector injector_;
    std::vector<EmojiItem> items_;
    std::unique_ptr<EmojiCatalog> catalog_ =
        std::make_unique<EmojiCatalog>(std::vector<EmojiItem>{}, [] { return now; });
    PickerSession session_{{[this]() -> const EmojiCatalog& { return *catalog_; },
                            environment_.state, environment_.history, injector_}};
    HotkeyRegistration registration_{environment_.state, environment_.hotkeys};
    LoginItemSync loginItemSync_{environment_.state, environment_.loginItem};
    AppExceptions exceptions_{environment_.state, environment_.workspace};
    SettingsBackend backend_{{[this]() -> const EmojiCatalog& { return *catalog_; },
                              environment_.state, environment_.history, exceptions_,
                              registration_}};
    int hides_ = 0;
};

} // namespace tiklo::test

class UiTestSetup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        tiklo::ThemeIconProvider::install(*engine);
        rig_ = std::make_unique<tiklo::test::QmlTestRig>();
        qmlRegisterSingletonInstance("Tiklo.TestSupport", 1, 0, "Rig", rig_.get());
    }

private:
    // Lives as long as the engine: the test ends before this object does.
    std::unique_ptr<tiklo::test::QmlTestRig> rig_;
};

QUICK_TEST_MAIN_WITH_SETUP(ui_qml, UiTestSetup)

#include "QmlTestMain.moc"
