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
    std::vector<std::string> converted(list.size());
    std::ranges::transform(list, converted.begin(), &QString::toStdString);
    return converted;
}

// The real session, store and settings services over fakes of the system and an in-memory
// catalog: an inline popup over an empty catalog, every setting at its default (the default
// hotkey registered) but the permission, granted.
struct World : FakeAppEnvironment {
    World() {
        state.setAccessibilityGranted(true);
        registration.registerHotkey();
        QObject::connect(&session, &PickerSession::hideRequested, [this] { ++hides; });
        session.setPresentationMode(view::Presentation::Inline);
        session.setReplacementBackspaces(1);
        session.refreshResults();
    }

    FakeTextInjector injector;
    std::vector<EmojiItem> items;
    std::unique_ptr<EmojiCatalog> catalog =
        std::make_unique<EmojiCatalog>(items, [] { return now; });
    PickerSession session{
        {[this]() -> const EmojiCatalog& { return *catalog; }, state, history, injector}};
    HotkeyRegistration registration{state, hotkeys};
    LoginItemSync loginItemSync{state, loginItem};
    AppExceptions exceptions{state, workspace};
    SettingsBackend backend{{[this]() -> const EmojiCatalog& { return *catalog; }, state, history,
                             exceptions, registration}};
    int hides = 0;
};

} // namespace

// A new World for each test; what reached the system and the settings file is readable.
class QmlTestRig : public QObject {
    Q_OBJECT
    Q_PROPERTY(tiklo::PickerSession* session READ session NOTIFY worldChanged)
    Q_PROPERTY(tiklo::AppState* appState READ appState NOTIFY worldChanged)
    Q_PROPERTY(tiklo::SettingsBackend* backend READ backend NOTIFY worldChanged)

public:
    QmlTestRig() { reset(); }

    PickerSession* session() { return &world_->session; }
    AppState* appState() { return &world_->state; }
    SettingsBackend* backend() { return &world_->backend; }
    // The texts handed to the injector, in order.
    Q_INVOKABLE QStringList typed() const {
        QStringList texts;
        for (const FakeTextInjector::Replace& replace : world_->injector.replaced) {
            texts.append(QString::fromStdString(replace.text));
        }
        return texts;
    }
    Q_INVOKABLE int hides() const { return world_->hides; }
    // Requests for the accessibility permission made through the store.
    Q_INVOKABLE int accessibilityRequests() const { return world_->trust.requests; }
    // The hotkey the system holds for Tiklo, as people read it; "" when none.
    Q_INVOKABLE QString grabbedHotkey() const {
        const FakeHotkeyService& service = world_->hotkeyService;
        for (const FakeHotkeyService::Call& call : service.calls) {
            if (call.what == "register" && service.grabbed.contains(call.id)) {
                return QString::fromStdString(KeyNames::format(call.key));
            }
        }
        return {};
    }
    Q_INVOKABLE bool loginItemRegistered() const { return world_->loginService.registered; }
    // A value as the settings file holds it (the hotkey's or a list's JSON), or "".
    Q_INVOKABLE QString stored(const QString& key) const {
        return QString::fromStdString(world_->defaults.dataValue(key.toStdString()).value_or(""));
    }

    Q_INVOKABLE void reset() {
        if (world_) {
            world_->backend.recorder()->stop();
        }
        // The last test's views may not be gone yet: what they watch stays one test longer.
        previous_ = std::exchange(world_, std::make_unique<World>());
        emit worldChanged();
    }
    // `count` items, named "item 00", "item 01"... or by `names`, in that order in the
    // results: each with an emoji of its own that no built-in ranking favours (mahjong tiles
    // from U+1F000), in the category Objects.
    Q_INVOKABLE void fill(int count, const QStringList& names = {}) {
        world_->items.clear();
        for (int i = 0; i < count; ++i) {
            const QString name =
                i < names.size() ? names[i] : QStringLiteral("item %1").arg(i, 2, 10, QChar(u'0'));
            const char32_t tile = 0x1F000 + static_cast<char32_t>(i);
            world_->items.push_back({.emoji = QString::fromUcs4(&tile, 1).toStdString(),
                                     .name = name.toStdString(),
                                     .shortcode = QString(name).replace(u' ', u'_').toStdString(),
                                     .category = EmojiCategory::objects,
                                     .keywords = {}});
        }
        replaceCatalog();
    }
    // One more item that takes a skin tone: a waving hand.
    Q_INVOKABLE void addHand(const QString& name) {
        const std::string id = "hand_" + std::to_string(world_->items.size());
        world_->items.push_back(
            {"\U0001F44B", name.toStdString(), id, EmojiCategory::people, {}, true});
        replaceCatalog();
    }
    // One kaomoji.
    Q_INVOKABLE void addKaomoji(const QString& text, const QString& name) {
        world_->items.push_back({.emoji = text.toStdString(),
                                 .name = name.toStdString(),
                                 .shortcode = "kaomoji_" + std::to_string(world_->items.size()),
                                 .category = EmojiCategory::smileys,
                                 .keywords = {},
                                 .supportsSkinTone = false,
                                 .kind = ItemKind::kaomoji,
                                 .group = "shrug"});
        replaceCatalog();
    }
    // Each id learned once.
    Q_INVOKABLE void setUsage(const QStringList& ids) {
        AppState::Usage usage;
        for (const std::string& id : strings(ids)) {
            usage[id] = EmojiUsage{1, now};
        }
        world_->state.setEmojiUsage(std::move(usage));
    }
    Q_INVOKABLE void setFavorites(const QStringList& ids) {
        const std::vector<std::string> list = strings(ids);
        world_->state.setFavorites({list.begin(), list.end()});
    }
    Q_INVOKABLE void setRecents(const QStringList& ids) { world_->state.setRecents(strings(ids)); }
    Q_INVOKABLE void refuseLoginItem(bool refuse) {
        world_->loginService.refusal =
            refuse ? std::optional<std::string>("not allowed") : std::nullopt;
    }
    Q_INVOKABLE void holdCtrlShiftSpaceElsewhere() {
        world_->hotkeyService.heldElsewhere.push_back(
            Key{keysym::space, Modifier::ctrl | Modifier::shift});
    }
    // The application in front before Tiklo's window.
    Q_INVOKABLE void setLastApplication(const QString& appID) {
        world_->workspace.lastOther = RunningApplication{appID.toStdString(), 1, 1};
    }

signals:
    void worldChanged();

private:
    void replaceCatalog() {
        auto catalog = std::make_unique<EmojiCatalog>(world_->items, [] { return now; });
        // The session's results point into the catalog: they are replaced before it goes.
        std::swap(world_->catalog, catalog);
        world_->session.refreshResults();
    }

    std::unique_ptr<World> world_;
    std::unique_ptr<World> previous_;
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
