// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppState.h"

#include "core/TriggerSettings.h"
#include "platform/Log.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

namespace tiklo {
namespace {

QStringList toQStringList(const std::vector<std::string>& values) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(values.size()));
    for (const std::string& value : values) {
        list.append(QString::fromStdString(value));
    }
    return list;
}

} // namespace

AppState::Batch::Batch(AppState& state) : state_(state) {
    ++state_.batches_;
}

AppState::Batch::~Batch() {
    state_.endBatch();
}

AppState::AppState(DefaultsStore& defaults, AccessibilityTrust& trust, const LoginItem& loginItem,
                   QObject* parent)
    : QObject(parent), defaults_(defaults), trust_(trust) {
    accessibilityGranted_ = trust_.isTrusted();
    x11ApplicationsOnly_ = trust_.x11ApplicationsOnly();
    launchAtLogin_ = loginItem.isEnabled();
    load();
}

// What could not be read is reported once per launch, by key only: the values are what the
// user used and typed. It stays stored until its setting is next assigned; a collection that
// lost entries is also kept as a copy before the next write replaces it.
void AppState::load() {
    QStringList discardedValues;
    QStringList discardedEntries;
    const auto read = [&](const auto& setting) {
        auto loaded = setting.load(defaults_);
        if (loaded.discarded == Discarded::value) {
            discardedValues.append(QString::fromLatin1(setting.key));
        } else if (loaded.discarded == Discarded::entries) {
            discardedEntries.append(QString::fromLatin1(setting.key));
        }
        return std::move(loaded.value);
    };
    using Table = SettingsTable;
    masterEnabled_ = read(Table::masterEnabled);
    pickerMode_ = view::fromCatalog(read(Table::pickerMode));
    defaultSkinTone_ = view::fromCatalog(read(Table::defaultSkinTone));
    triggerPrefix_ = QString::fromStdString(read(Table::triggerPrefix));
    insertSpaceAfterTrigger_ = read(Table::insertSpaceAfterTrigger);
    hotkey_ = read(Table::hotkey);
    favorites_ = read(Table::favorites);
    recents_ = read(Table::recents);
    emojiUsage_ = read(Table::emojiUsage);
    emojiSkinTones_ = read(Table::emojiSkinTones);
    excludedAppIDs_ = read(Table::excludedAppIDs);
    if (!discardedValues.isEmpty()) {
        qCWarning(settingsLog).noquote() << "Discarded stored values that could not be read, under"
                                         << discardedValues.join(", ");
    }
    if (!discardedEntries.isEmpty()) {
        qCWarning(settingsLog).noquote() << "Discarded stored entries that could not be read, under"
                                         << discardedEntries.join(", ");
        defaults_.keepCopyBeforeNextWrite();
    }
}

void AppState::refreshFromStore() {
    if (batches_ > 0 || !defaults_.reloadIfChanged()) {
        return;
    }
    // Each loaded setting beside the signal that announces it.
    const auto values = [this] {
        return std::tuple(masterEnabled_, pickerMode_, defaultSkinTone_, triggerPrefix_,
                          insertSpaceAfterTrigger_, hotkey_, favorites_, recents_, emojiUsage_,
                          emojiSkinTones_, excludedAppIDs_);
    };
    static constexpr std::array changed{&AppState::masterEnabledChanged,
                                        &AppState::pickerModeChanged,
                                        &AppState::defaultSkinToneChanged,
                                        &AppState::triggerPrefixChanged,
                                        &AppState::insertSpaceAfterTriggerChanged,
                                        &AppState::hotkeyChanged,
                                        &AppState::favoritesChanged,
                                        &AppState::recentsChanged,
                                        &AppState::emojiUsageChanged,
                                        &AppState::emojiSkinTonesChanged,
                                        &AppState::excludedAppIDsChanged};
    const auto before = values();
    static_assert(std::tuple_size_v<decltype(before)> == changed.size());
    load();
    const auto after = values();
    [&]<std::size_t... index>(std::index_sequence<index...>) {
        (..., (std::get<index>(before) != std::get<index>(after) ? emit(this->*changed[index])()
                                                                 : void()));
    }
    (std::make_index_sequence<changed.size()>());
}

template <typename Setting>
void AppState::store(const Setting& setting, const typename Setting::Value& value) {
    auto entry = setting.entry(value);
    if (!entry) {
        return;
    }
    if (batches_ == 0) {
        defaults_.write({std::move(*entry)});
        return;
    }
    const auto pending = std::find_if(pending_.begin(), pending_.end(),
                                      [&](const auto& held) { return held.first == entry->first; });
    if (pending != pending_.end()) {
        pending->second = std::move(entry->second);
    } else {
        pending_.push_back(std::move(*entry));
    }
}

void AppState::endBatch() {
    if (--batches_ == 0 && !pending_.empty()) {
        const DefaultsStore::Entries entries = std::move(pending_);
        pending_.clear();
        defaults_.write(entries);
    }
}

void AppState::setMasterEnabled(bool value) {
    masterEnabled_ = value;
    emit masterEnabledChanged();
    store(SettingsTable::masterEnabled, value);
}

void AppState::setLaunchAtLogin(bool value) {
    launchAtLogin_ = value;
    emit launchAtLoginChanged();
}

void AppState::setAccessibilityGranted(bool value) {
    if (accessibilityGranted_ == value) {
        return;
    }
    accessibilityGranted_ = value;
    emit accessibilityGrantedChanged();
}

void AppState::setX11ApplicationsOnly(bool value) {
    if (x11ApplicationsOnly_ == value) {
        return;
    }
    x11ApplicationsOnly_ = value;
    emit x11ApplicationsOnlyChanged();
}

void AppState::setCaretTracking(view::CaretTracking value) {
    if (caretTracking_ == value) {
        return;
    }
    // Only a change seen while running: on from the start, every application reports.
    if (value == view::CaretTracking::On && caretTracking_ != view::CaretTracking::Unknown) {
        caretTrackingNeedsRestart_ = true;
    } else if (value != view::CaretTracking::On) {
        caretTrackingNeedsRestart_ = false;
    }
    caretTracking_ = value;
    emit caretTrackingChanged();
}

void AppState::setInputMethodSearch(view::InputMethodSearch value) {
    if (inputMethodSearch_ == value) {
        return;
    }
    inputMethodSearch_ = value;
    emit inputMethodSearchChanged();
}

void AppState::setIbusSearch(view::InputMethodSearch value) {
    if (ibusSearch_ == value) {
        return;
    }
    ibusSearch_ = value;
    emit ibusSearchChanged();
}

void AppState::setPickerMode(view::PickerMode value) {
    pickerMode_ = value;
    emit pickerModeChanged();
    store(SettingsTable::pickerMode, view::toCatalog(value));
}

void AppState::setDefaultSkinTone(view::SkinTone value) {
    defaultSkinTone_ = value;
    emit defaultSkinToneChanged();
    store(SettingsTable::defaultSkinTone, view::toCatalog(value));
}

void AppState::setTriggerPrefix(const QString& value) {
    triggerPrefix_ = value;
    emit triggerPrefixChanged();
    store(SettingsTable::triggerPrefix, value.toStdString());
}

void AppState::setInsertSpaceAfterTrigger(bool value) {
    insertSpaceAfterTrigger_ = value;
    emit insertSpaceAfterTriggerChanged();
    store(SettingsTable::insertSpaceAfterTrigger, value);
}

void AppState::setHotkey(const Hotkey& value) {
    hotkey_ = value;
    emit hotkeyChanged();
    store(SettingsTable::hotkey, value);
}

void AppState::setFavorites(Favorites value) {
    favorites_ = std::move(value);
    emit favoritesChanged();
    store(SettingsTable::favorites, favorites_);
}

void AppState::setRecents(std::vector<std::string> value) {
    recents_ = std::move(value);
    emit recentsChanged();
    store(SettingsTable::recents, recents_);
}

void AppState::setEmojiUsage(Usage value) {
    emojiUsage_ = std::move(value);
    emit emojiUsageChanged();
    store(SettingsTable::emojiUsage, emojiUsage_);
}

void AppState::setEmojiSkinTones(SkinTones value) {
    emojiSkinTones_ = std::move(value);
    emit emojiSkinTonesChanged();
    store(SettingsTable::emojiSkinTones, emojiSkinTones_);
}

SkinTone AppState::skinToneFor(const std::string& emoji) const {
    return TriggerSettings::toneFor(emojiSkinTones_, view::toCatalog(defaultSkinTone_), emoji);
}

void AppState::setExcludedAppIDs(std::vector<std::string> value) {
    excludedAppIDs_ = std::move(value);
    emit excludedAppIDsChanged();
    store(SettingsTable::excludedAppIDs, excludedAppIDs_);
}

void AppState::requestAccessibility() {
    trust_.requestTrust();
}

bool AppState::didCompleteOnboarding() const {
    return SettingsTable::didCompleteOnboarding.load(defaults_).value;
}

void AppState::setDidCompleteOnboarding(bool value) {
    store(SettingsTable::didCompleteOnboarding, value);
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

QVariantMap AppState::emojiSkinTonesMap() const {
    QVariantMap map;
    for (const auto& [emoji, tone] : emojiSkinTones_) {
        map.insert(QString::fromStdString(emoji), QString::fromUtf8(rawValue(tone)));
    }
    return map;
}

QStringList AppState::excludedAppIDsList() const {
    return toQStringList(excludedAppIDs_);
}

} // namespace tiklo
