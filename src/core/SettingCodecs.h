// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiUsage.h"
#include "catalog/SkinTone.h"
#include "core/DefaultsStore.h"
#include "core/Hotkey.h"
#include "core/StoredSetting.h"

#include <exception>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <nlohmann/json.hpp>

namespace tiklo {

// The stored forms of the settings: plain booleans and strings as such, everything else as
// data holding compact UTF-8 JSON.
struct SettingCodecs {
    using Strings = std::vector<std::string>;
    using StringSet = std::unordered_set<std::string>;
    using Usage = std::unordered_map<std::string, EmojiUsage>;
    using SkinTones = std::unordered_map<std::string, SkinTone>;

    struct Boolean {
        static Decoded<bool> read(const DefaultsStore& store, const std::string& key);
        static std::optional<DefaultsStore::Value> write(bool value);
    };

    // A plain string of which only the first character is kept, ";" when there is none; a
    // lone backslash, which older versions stored, reads as ";".
    struct TriggerPrefix {
        static Decoded<std::string> read(const DefaultsStore& store, const std::string& key);
        static std::optional<DefaultsStore::Value> write(const std::string& value);
    };

    // A value with a JSON form of its own (the raw value of an enumeration).
    template <typename T> struct Json {
        static Decoded<T> read(const DefaultsStore& store, const std::string& key) {
            const std::optional<std::string> data = store.dataValue(key);
            if (!data) {
                return {};
            }
            try {
                return {nlohmann::json::parse(*data).get<T>()};
            } catch (const std::exception&) {
                return {};
            }
        }
        static std::optional<DefaultsStore::Value> write(const T& value) {
            return DefaultsStore::Data{nlohmann::json(value).dump()};
        }
    };

    // {"keyCode":14,"modifiers":6144}: see HotkeyCodec.
    struct StoredHotkey {
        static Decoded<tiklo::Hotkey> read(const DefaultsStore& store, const std::string& key);
        static std::optional<DefaultsStore::Value> write(const tiklo::Hotkey& value);
    };

    // A JSON array of strings, read entry by entry: another element costs only itself.
    struct StringList {
        static Decoded<Strings> read(const DefaultsStore& store, const std::string& key);
        static std::optional<DefaultsStore::Value> write(const Strings& value);
    };

    // The same array, read into a set: duplicates collapse.
    struct StringSetList {
        static Decoded<StringSet> read(const DefaultsStore& store, const std::string& key);
        static std::optional<DefaultsStore::Value> write(const StringSet& value);
    };

    // A JSON object from emoji to usage record, read record by record.
    struct UsageMap {
        static Decoded<Usage> read(const DefaultsStore& store, const std::string& key);
        static std::optional<DefaultsStore::Value> write(const Usage& value);
    };

    // A JSON object from emoji to a tone's name, read member by member.
    struct SkinToneMap {
        static Decoded<SkinTones> read(const DefaultsStore& store, const std::string& key);
        static std::optional<DefaultsStore::Value> write(const SkinTones& value);
    };
};

} // namespace tiklo
