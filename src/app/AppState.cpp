#include "app/AppState.h"

#include "app/StoredCollectionDecoder.h"
#include "catalog/Unicode.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include <QLoggingCategory>

#include <nlohmann/json.hpp>

Q_LOGGING_CATEGORY(settingsLog, "tiklo.settings")

namespace tiklo {
namespace {

// The keys of the defaults store; nothing else is kept there.
constexpr const char* masterEnabledKey = "masterEnabled";
constexpr const char* pickerModeKey = "pickerMode";
constexpr const char* defaultSkinToneKey = "defaultSkinTone";
constexpr const char* triggerPrefixKey = "triggerPrefix";
constexpr const char* insertSpaceKey = "insertSpaceAfterTrigger";
constexpr const char* hotkeyKey = "hotkey";
constexpr const char* favoritesKey = "favorites";
constexpr const char* recentsKey = "recents";
constexpr const char* emojiUsageKey = "emojiUsage";
constexpr const char* excludedBundleIDsKey = "excludedBundleIDs";
constexpr const char* didCompleteOnboardingKey = "didCompleteOnboarding";

// A use count stays at its largest value instead of wrapping to a negative one.
constexpr std::int64_t maxUseCount = std::numeric_limits<std::int64_t>::max();

constexpr const char* defaultTriggerPrefix = ";";
// Older versions could store a lone backslash; it always meant the default.
constexpr const char* legacyBackslashPrefix = "\\";

AppState* sharedState = nullptr;

QStringList toQStringList(const std::vector<std::string>& values) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(values.size()));
    for (const std::string& value : values) {
        list.append(QString::fromStdString(value));
    }
    return list;
}

} // namespace

AppState::AppState(Services services, QObject* parent)
    : QObject(parent), services_(std::move(services)) {
    const DefaultsStore& defaults = services_.defaults;
    accessibilityGranted_ = services_.trust.isTrusted();
    masterEnabled_ = defaults.boolValue(masterEnabledKey).value_or(true);
    launchAtLogin_ = services_.loginItem.isEnabled();
    pickerMode_ = loadCodable(pickerModeKey, PickerMode::grid);
    defaultSkinTone_ = loadCodable(defaultSkinToneKey, SkinTone::standard);
    triggerPrefix_ = defaults.stringValue(triggerPrefixKey).value_or(defaultTriggerPrefix);
    if (triggerPrefix_ == legacyBackslashPrefix) {
        triggerPrefix_ = defaultTriggerPrefix;
    }
    insertSpaceAfterTrigger_ = defaults.boolValue(insertSpaceKey).value_or(false);
    hotkey_ = loadCodable(hotkeyKey, Hotkey{});
    loadCollections();
}

// The collections are read entry by entry. Whatever had to be dropped is still in the store:
// it is kept as a copy before the next write of any setting replaces it.
void AppState::loadCollections() {
    QStringList droppedFrom;
    const auto load = [&](const char* key, auto decode) {
        const std::optional<std::string> data = services_.defaults.dataValue(key);
        auto decoded = data ? decode(*data) : decltype(decode(*data)){};
        if (decoded.droppedAny) {
            droppedFrom.append(QString::fromLatin1(key));
        }
        return std::move(decoded.value);
    };
    const auto strings = &StoredCollectionDecoder::strings;
    const auto favorites = load(favoritesKey, strings);
    favorites_ = Favorites(favorites.begin(), favorites.end());
    recents_ = load(recentsKey, strings);
    emojiUsage_ = load(emojiUsageKey, &StoredCollectionDecoder::usage);
    excludedBundleIDs_ = load(excludedBundleIDsKey, strings);
    if (!droppedFrom.isEmpty()) {
        // Keys only: the values are what the user used and typed.
        qCWarning(settingsLog).noquote()
            << "Discarded stored entries that could not be read, under" << droppedFrom.join(", ");
        services_.defaults.keepCopyBeforeNextWrite();
    }
}

AppState& AppState::shared() {
    if (sharedState == nullptr) {
        throw std::logic_error("AppState::shared used before the application made it");
    }
    return *sharedState;
}

void AppState::setShared(AppState* state) {
    sharedState = state;
}

template <typename T> T AppState::loadCodable(const std::string& key, T fallback) const {
    const std::optional<std::string> data = services_.defaults.dataValue(key);
    if (!data) {
        return fallback;
    }
    try {
        return nlohmann::json::parse(*data).get<T>();
    } catch (const std::exception&) {
        return fallback;
    }
}

template <typename T> void AppState::saveCodable(const T& value, const std::string& key) {
    std::string data;
    try {
        data = nlohmann::json(value).dump();
    } catch (const std::exception&) {
        return; // not encodable (say, broken UTF-8): the stored value stays as it was
    }
    services_.defaults.setData(key, data);
}

void AppState::setMasterEnabled(bool value) {
    masterEnabled_ = value;
    emit masterEnabledChanged();
    services_.defaults.setBool(masterEnabledKey, value);
}

void AppState::setLaunchAtLogin(bool value) {
    launchAtLogin_ = value;
    emit launchAtLoginChanged();
    if (isSyncingLoginItem_) {
        return;
    }
    const bool registered = services_.loginItem.setEnabled(value);
    if (registered != launchAtLogin_) {
        // The system refused: spring back to the real state.
        isSyncingLoginItem_ = true;
        setLaunchAtLogin(registered);
        isSyncingLoginItem_ = false;
    }
}

void AppState::setAccessibilityGranted(bool value) {
    if (accessibilityGranted_ == value) {
        return;
    }
    accessibilityGranted_ = value;
    emit accessibilityGrantedChanged();
}

void AppState::setPickerMode(PickerMode value) {
    pickerMode_ = value;
    emit pickerModeChanged();
    saveCodable(value, pickerModeKey);
}

void AppState::setDefaultSkinTone(SkinTone value) {
    defaultSkinTone_ = value;
    emit defaultSkinToneChanged();
    saveCodable(value, defaultSkinToneKey);
}

void AppState::setTriggerPrefix(const std::string& value) {
    triggerPrefix_ = value;
    emit triggerPrefixChanged();
    // Only one character can trigger; that is what the next launch will hold.
    const std::vector<std::string> characters = unicode::graphemes(value);
    services_.defaults.setString(triggerPrefixKey,
                                 characters.empty() ? defaultTriggerPrefix : characters.front());
}

void AppState::setInsertSpaceAfterTrigger(bool value) {
    insertSpaceAfterTrigger_ = value;
    emit insertSpaceAfterTriggerChanged();
    services_.defaults.setBool(insertSpaceKey, value);
}

void AppState::setHotkey(const Hotkey& value) {
    hotkey_ = value;
    emit hotkeyChanged();
    saveCodable(value, hotkeyKey);
    registerHotkey();
}

void AppState::setFavorites(Favorites value) {
    favorites_ = std::move(value);
    emit favoritesChanged();
    saveCodable(std::vector<std::string>(favorites_.begin(), favorites_.end()), favoritesKey);
}

void AppState::setRecents(std::vector<std::string> value) {
    recents_ = std::move(value);
    emit recentsChanged();
    saveCodable(recents_, recentsKey);
}

void AppState::setEmojiUsage(Usage value) {
    emojiUsage_ = std::move(value);
    emit emojiUsageChanged();
    saveCodable(emojiUsage_, emojiUsageKey);
}

void AppState::setExcludedBundleIDs(std::vector<std::string> value) {
    excludedBundleIDs_ = std::move(value);
    emit excludedBundleIDsChanged();
    saveCodable(excludedBundleIDs_, excludedBundleIDsKey);
}

void AppState::registerHotkey() {
    if (hotkeyID_) {
        services_.hotkeys.unregister(*hotkeyID_);
    }
    // The id is kept even when the system refused: unregistering it later is harmless.
    hotkeyID_ = services_.hotkeys.registerHotkey(hotkey_, [this] {
        if (hotkeyAction_) {
            hotkeyAction_();
        }
    });
}

void AppState::unregisterHotkey() {
    if (hotkeyID_) {
        services_.hotkeys.unregister(*hotkeyID_);
        hotkeyID_.reset();
    }
}

void AppState::recordUse(const EmojiItem& item) {
    const std::string& id = item.id();
    std::vector<std::string> without = recents_;
    std::erase(without, id);
    setRecents(without);
    std::vector<std::string> withFront = recents_;
    withFront.insert(withFront.begin(), id);
    setRecents(withFront);
    if (recents_.size() > recentsLimit) {
        setRecents(std::vector<std::string>(recents_.begin(), recents_.begin() + recentsLimit));
    }
    Usage usage = emojiUsage_;
    EmojiUsage& record = usage[item.emoji];
    record.count = record.count < maxUseCount ? record.count + 1 : maxUseCount;
    record.lastUsedAt = services_.clock();
    setEmojiUsage(std::move(usage));
}

void AppState::toggleFavorite(const EmojiItem& item) {
    Favorites favorites = favorites_;
    if (favorites.erase(item.id()) == 0) {
        favorites.insert(item.id());
    }
    setFavorites(std::move(favorites));
}

void AppState::clearUsage() {
    setEmojiUsage({});
}

void AppState::addCurrentAppException() {
    // The button lives in Tiklo's own window, so the frontmost application is Tiklo: the
    // application meant is the one the user came from.
    const std::optional<RunningApplication> app = services_.workspace.lastOtherApplication();
    if (!app || app->bundleID.empty() || app->bundleID == services_.workspace.ownBundleID()) {
        return;
    }
    if (std::find(excludedBundleIDs_.begin(), excludedBundleIDs_.end(), app->bundleID) !=
        excludedBundleIDs_.end()) {
        return;
    }
    std::vector<std::string> excluded = excludedBundleIDs_;
    excluded.push_back(app->bundleID);
    setExcludedBundleIDs(excluded);
    std::sort(excluded.begin(), excluded.end());
    setExcludedBundleIDs(std::move(excluded));
}

void AppState::requestAccessibility() {
    services_.trust.requestTrust();
}

bool AppState::didCompleteOnboarding() const {
    return services_.defaults.boolValue(didCompleteOnboardingKey).value_or(false);
}

void AppState::setDidCompleteOnboarding(bool value) {
    services_.defaults.setBool(didCompleteOnboardingKey, value);
}

QString AppState::pickerModeName() const {
    return QString::fromUtf8(rawValue(pickerMode_));
}

void AppState::setPickerModeName(const QString& name) {
    if (const auto mode = pickerModeFromRaw(name.toStdString())) {
        setPickerMode(*mode);
    }
}

QString AppState::defaultSkinToneName() const {
    return QString::fromUtf8(rawValue(defaultSkinTone_));
}

void AppState::setDefaultSkinToneName(const QString& name) {
    if (const auto tone = skinToneFromRaw(name.toStdString())) {
        setDefaultSkinTone(*tone);
    }
}

QStringList AppState::favoritesList() const {
    return toQStringList(std::vector<std::string>(favorites_.begin(), favorites_.end()));
}

QStringList AppState::recentsList() const {
    return toQStringList(recents_);
}

QVariantMap AppState::emojiUsageMap() const {
    QVariantMap map;
    for (const auto& [emoji, usage] : emojiUsage_) {
        map.insert(QString::fromStdString(emoji),
                   QVariantMap{{"count", QVariant::fromValue(usage.count)},
                               {"lastUsedAt", usage.lastUsedAt}});
    }
    return map;
}

QStringList AppState::excludedBundleIDsList() const {
    return toQStringList(excludedBundleIDs_);
}

} // namespace tiklo
