#include "ui/SettingsTestRig.h"

#include "app/KeyNames.h"

namespace tiklo::test {
namespace {

constexpr double now = 800000000.0;

} // namespace

SettingsTestRig::SettingsTestRig()
    : catalog_(std::make_unique<EmojiCatalog>(std::vector<EmojiItem>{}, [] { return now; })),
      registration_(environment_.state, environment_.hotkeys),
      loginItemSync_(environment_.state, environment_.loginItem),
      exceptions_(environment_.state, environment_.workspace),
      backend_({[this]() -> const EmojiCatalog& { return *catalog_; }, environment_.state,
                environment_.history, exceptions_, registration_}),
      stillBackend_({[this]() -> const EmojiCatalog& { return *catalog_; }, environment_.state,
                     environment_.history, exceptions_, registration_, nullptr, true}) {
    reset();
}

QString SettingsTestRig::grabbedHotkey() const {
    const FakeHotkeyService& service = environment_.hotkeyService;
    for (const FakeHotkeyService::Call& call : service.calls) {
        if (call.what == "register" && service.grabbed.contains(call.id)) {
            return QString::fromStdString(KeyNames::format(call.key));
        }
    }
    return {};
}

QString SettingsTestRig::storedHotkey() const {
    return QString::fromStdString(environment_.defaults.dataValue("hotkey").value_or(""));
}

QString SettingsTestRig::storedExceptions() const {
    return QString::fromStdString(
        environment_.defaults.dataValue("excludedBundleIDs").value_or(""));
}

void SettingsTestRig::reset() {
    log_.reset();
    backend_.recorder()->stop();
    environment_.hotkeyService.heldElsewhere.clear();
    environment_.loginService.refusal.reset();
    environment_.workspace.lastOther.reset();
    setCatalog({});
    AppState& state = environment_.state;
    state.setMasterEnabled(true);
    state.setLaunchAtLogin(false);
    state.setAccessibilityGranted(true);
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
}

void SettingsTestRig::setCatalog(const QVariantList& items) {
    std::vector<EmojiItem> list;
    for (const QVariant& entry : items) {
        const QVariantMap item = entry.toMap();
        list.push_back({item["emoji"].toString().toStdString(),
                        item["name"].toString().toStdString(),
                        item["shortcode"].toString().toStdString(),
                        allEmojiCategories.at(item["category"].toUInt()),
                        {},
                        item["supportsSkinTone"].toBool()});
    }
    catalog_ = std::make_unique<EmojiCatalog>(std::move(list), [] { return now; });
}

void SettingsTestRig::setUsage(const QStringList& ids) {
    AppState::Usage usage;
    for (const QString& id : ids) {
        usage[id.toStdString()] = EmojiUsage{1, now};
    }
    environment_.state.setEmojiUsage(std::move(usage));
}

void SettingsTestRig::setFavorites(const QStringList& ids) {
    AppState::Favorites favorites;
    for (const QString& id : ids) {
        favorites.insert(id.toStdString());
    }
    environment_.state.setFavorites(std::move(favorites));
}

void SettingsTestRig::setRecents(const QStringList& ids) {
    std::vector<std::string> recents;
    for (const QString& id : ids) {
        recents.push_back(id.toStdString());
    }
    environment_.state.setRecents(std::move(recents));
}

void SettingsTestRig::setAccessibilityGranted(bool granted) {
    environment_.state.setAccessibilityGranted(granted);
}

void SettingsTestRig::refuseLoginItem(bool refuse) {
    if (refuse) {
        environment_.loginService.refusal = "not allowed";
    } else {
        environment_.loginService.refusal.reset();
    }
}

void SettingsTestRig::holdElsewhere(int keysym, bool ctrl, bool alt, bool shift, bool super) {
    Modifiers modifiers;
    modifiers = ctrl ? modifiers | Modifier::ctrl : modifiers;
    modifiers = alt ? modifiers | Modifier::alt : modifiers;
    modifiers = shift ? modifiers | Modifier::shift : modifiers;
    modifiers = super ? modifiers | Modifier::super : modifiers;
    environment_.hotkeyService.heldElsewhere.push_back(Key{static_cast<KeySym>(keysym), modifiers});
}

void SettingsTestRig::setLastApplication(const QString& appID) {
    environment_.workspace.lastOther = RunningApplication{appID.toStdString(), 1, 1};
}

void SettingsTestRig::captureLog() {
    log_ = std::make_unique<LogCapture>();
}

} // namespace tiklo::test
