// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SettingCodecs.h"

#include "catalog/Unicode.h"
#include "core/HotkeyCodec.h"
#include "core/StoredCollectionDecoder.h"

namespace tiklo {
namespace {

constexpr const char* defaultTriggerPrefix = ";";
// Older versions could store a lone backslash; it always meant the default.
constexpr const char* legacyBackslashPrefix = "\\";

// Compact JSON as data; nothing for text JSON cannot carry (broken UTF-8).
template <typename T> std::optional<DefaultsStore::Value> jsonData(const T& value) {
    try {
        return DefaultsStore::Data{nlohmann::json(value).dump()};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The collection stored as data under `key`, read by `decode`; nothing stored reads as unset.
template <typename T>
Decoded<T> decodeData(const DefaultsStore& store, const std::string& key,
                      Decoded<T> (*decode)(std::string_view)) {
    const std::optional<std::string> data = store.dataValue(key);
    return data ? decode(*data) : Decoded<T>{};
}

} // namespace

Decoded<bool> SettingCodecs::Boolean::read(const DefaultsStore& store, const std::string& key) {
    return {store.boolValue(key)};
}

std::optional<DefaultsStore::Value> SettingCodecs::Boolean::write(bool value) {
    return value;
}

Decoded<std::string> SettingCodecs::TriggerPrefix::read(const DefaultsStore& store,
                                                        const std::string& key) {
    std::optional<std::string> prefix = store.stringValue(key);
    if (prefix == legacyBackslashPrefix) {
        prefix = defaultTriggerPrefix;
    }
    return {prefix};
}

std::optional<DefaultsStore::Value> SettingCodecs::TriggerPrefix::write(const std::string& value) {
    // Only one character can trigger; that is what the next launch will hold.
    const std::vector<std::string> characters = unicode::graphemes(value);
    return characters.empty() ? std::string(defaultTriggerPrefix) : characters.front();
}

Decoded<Hotkey> SettingCodecs::StoredHotkey::read(const DefaultsStore& store,
                                                  const std::string& key) {
    const std::optional<std::string> data = store.dataValue(key);
    return {data ? HotkeyCodec::decode(*data) : std::nullopt};
}

std::optional<DefaultsStore::Value> SettingCodecs::StoredHotkey::write(const Hotkey& value) {
    std::optional<std::string> json = HotkeyCodec::encode(value);
    if (!json) {
        return std::nullopt;
    }
    return DefaultsStore::Data{std::move(*json)};
}

Decoded<SettingCodecs::Strings> SettingCodecs::StringList::read(const DefaultsStore& store,
                                                                const std::string& key) {
    return decodeData(store, key, StoredCollectionDecoder::strings);
}

std::optional<DefaultsStore::Value> SettingCodecs::StringList::write(const Strings& value) {
    return jsonData(value);
}

Decoded<SettingCodecs::StringSet> SettingCodecs::StringSetList::read(const DefaultsStore& store,
                                                                     const std::string& key) {
    Decoded<Strings> list = StringList::read(store, key);
    if (!list.value) {
        return {};
    }
    return {StringSet(list.value->begin(), list.value->end()), list.droppedEntries};
}

std::optional<DefaultsStore::Value> SettingCodecs::StringSetList::write(const StringSet& value) {
    return jsonData(Strings(value.begin(), value.end()));
}

Decoded<SettingCodecs::Usage> SettingCodecs::UsageMap::read(const DefaultsStore& store,
                                                            const std::string& key) {
    return decodeData(store, key, StoredCollectionDecoder::usage);
}

std::optional<DefaultsStore::Value> SettingCodecs::UsageMap::write(const Usage& value) {
    return jsonData(value);
}

Decoded<SettingCodecs::SkinTones> SettingCodecs::SkinToneMap::read(const DefaultsStore& store,
                                                                   const std::string& key) {
    return decodeData(store, key, StoredCollectionDecoder::skinTones);
}

std::optional<DefaultsStore::Value> SettingCodecs::SkinToneMap::write(const SkinTones& value) {
    return jsonData(value);
}

} // namespace tiklo
