// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QmlTestRig.h"

#include "core/KeyNames.h"

namespace tiklo::test {
namespace {

// Mahjong tiles: emoji of their own, none of them ranked by the built-in tables.
constexpr char32_t firstTile = 0x1F000;
constexpr double now = 800000000.0;

std::string tile(std::size_t index) {
    const char32_t scalar = firstTile + static_cast<char32_t>(index);
    return QString::fromUcs4(&scalar, 1).toStdString();
}

std::vector<std::string> strings(const QStringList& list) {
    std::vector<std::string> converted;
    for (const QString& text : list) {
        converted.push_back(text.toStdString());
    }
    return converted;
}

} // namespace

QmlTestRig::QmlTestRig()
    : catalog_(std::make_unique<EmojiCatalog>(std::vector<EmojiItem>{}, [] { return now; })),
      session_({[this]() -> const EmojiCatalog& { return *catalog_; }, environment_.state,
                environment_.history, injector_}),
      registration_(environment_.state, environment_.hotkeys),
      loginItemSync_(environment_.state, environment_.loginItem),
      exceptions_(environment_.state, environment_.workspace),
      backend_({[this]() -> const EmojiCatalog& { return *catalog_; }, environment_.state,
                environment_.history, exceptions_, registration_}) {
    connect(&session_, &PickerSession::hideRequested, this, [this] { ++hides_; });
    reset();
}

QStringList QmlTestRig::typed() const {
    QStringList texts;
    for (const FakeTextInjector::Replace& replace : injector_.replaced) {
        texts.append(QString::fromStdString(replace.text));
    }
    return texts;
}

QString QmlTestRig::grabbedHotkey() const {
    const FakeHotkeyService& service = environment_.hotkeyService;
    for (const FakeHotkeyService::Call& call : service.calls) {
        if (call.what == "register" && service.grabbed.contains(call.id)) {
            return QString::fromStdString(KeyNames::format(call.key));
        }
    }
    return {};
}

QString QmlTestRig::storedHotkey() const {
    return QString::fromStdString(environment_.defaults.dataValue("hotkey").value_or(""));
}

QString QmlTestRig::storedExceptions() const {
    return QString::fromStdString(
        environment_.defaults.dataValue("excludedBundleIDs").value_or(""));
}

void QmlTestRig::reset() {
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

void QmlTestRig::fill(int count, const QStringList& names) {
    items_.clear();
    for (int i = 0; i < count; ++i) {
        const QString name =
            i < names.size() ? names[i] : QStringLiteral("item %1").arg(i, 2, 10, QChar(u'0'));
        QString shortcode = name;
        shortcode.replace(u' ', u'_');
        items_.push_back({tile(items_.size()),
                          name.toStdString(),
                          shortcode.toStdString(),
                          EmojiCategory::objects,
                          {},
                          false});
    }
    replaceCatalog();
}

void QmlTestRig::addHand(const QString& name) {
    items_.push_back({"\U0001F44B",
                      name.toStdString(),
                      "hand_" + std::to_string(items_.size()),
                      EmojiCategory::people,
                      {},
                      true});
    replaceCatalog();
}

void QmlTestRig::setCatalog(const QVariantList& items) {
    items_.clear();
    for (const QVariant& entry : items) {
        const QVariantMap item = entry.toMap();
        items_.push_back({item["emoji"].toString().toStdString(),
                          item["name"].toString().toStdString(),
                          item["shortcode"].toString().toStdString(),
                          allEmojiCategories.at(item["category"].toUInt()),
                          {},
                          item["supportsSkinTone"].toBool()});
    }
    replaceCatalog();
}

void QmlTestRig::setUsage(const QStringList& ids) {
    AppState::Usage usage;
    for (const std::string& id : strings(ids)) {
        usage[id] = EmojiUsage{1, now};
    }
    environment_.state.setEmojiUsage(std::move(usage));
}

void QmlTestRig::setFavorites(const QStringList& ids) {
    const std::vector<std::string> list = strings(ids);
    environment_.state.setFavorites({list.begin(), list.end()});
}

void QmlTestRig::setRecents(const QStringList& ids) {
    environment_.state.setRecents(strings(ids));
}

void QmlTestRig::refuseLoginItem(bool refuse) {
    environment_.loginService.refusal =
        refuse ? std::optional<std::string>("not allowed") : std::nullopt;
}

void QmlTestRig::holdElsewhere(int keysym, bool ctrl, bool alt, bool shift, bool super) {
    Modifiers modifiers;
    modifiers = ctrl ? modifiers | Modifier::ctrl : modifiers;
    modifiers = alt ? modifiers | Modifier::alt : modifiers;
    modifiers = shift ? modifiers | Modifier::shift : modifiers;
    modifiers = super ? modifiers | Modifier::super : modifiers;
    environment_.hotkeyService.heldElsewhere.push_back(Key{static_cast<KeySym>(keysym), modifiers});
}

void QmlTestRig::setLastApplication(const QString& appID) {
    environment_.workspace.lastOther = RunningApplication{appID.toStdString(), 1, 1};
}

void QmlTestRig::replaceCatalog() {
    auto catalog = std::make_unique<EmojiCatalog>(items_, [] { return now; });
    // The session's results point into the catalog: they are replaced before it goes.
    std::swap(catalog_, catalog);
    session_.refreshResults();
}

} // namespace tiklo::test
