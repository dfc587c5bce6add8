// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/StoredCollectionDecoder.h"

#include <cstdint>
#include <exception>
#include <limits>
#include <optional>

#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

std::optional<nlohmann::json> parse(std::string_view json) {
    nlohmann::json parsed = nlohmann::json::parse(json, nullptr, false);
    if (parsed.is_discarded()) {
        return std::nullopt;
    }
    return parsed;
}

// The JSON reader keeps integers above the signed range as unsigned, and the record's own
// decoding would wrap them to negative counts.
bool countFits(const nlohmann::json& record) {
    const auto count = record.find("count");
    return count == record.end() || !count->is_number_unsigned() ||
           count->get<std::uint64_t>() <=
               static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
}

// A JSON object's members that `read` makes a value of; the others are dropped.
template <typename Map, typename Read> Decoded<Map> members(std::string_view json, Read read) {
    Map value;
    bool dropped = false;
    const std::optional<nlohmann::json> parsed = parse(json);
    if (!parsed || !parsed->is_object()) {
        return {value, true};
    }
    for (const auto& [key, member] : parsed->items()) {
        if (auto entry = read(member)) {
            value.insert_or_assign(key, std::move(*entry));
        } else {
            dropped = true;
        }
    }
    return {std::move(value), dropped};
}

} // namespace

Decoded<std::vector<std::string>> StoredCollectionDecoder::strings(std::string_view json) {
    std::vector<std::string> value;
    bool dropped = false;
    const std::optional<nlohmann::json> parsed = parse(json);
    if (!parsed || !parsed->is_array()) {
        return {value, true};
    }
    for (const nlohmann::json& element : *parsed) {
        if (element.is_string()) {
            value.push_back(element.get<std::string>());
        } else {
            dropped = true;
        }
    }
    return {std::move(value), dropped};
}

Decoded<StoredCollectionDecoder::Usage> StoredCollectionDecoder::usage(std::string_view json) {
    return members<Usage>(json, [](const nlohmann::json& record) -> std::optional<EmojiUsage> {
        try {
            if (record.is_object() && countFits(record)) {
                return record.get<EmojiUsage>();
            }
        } catch (const std::exception&) {
            // not a whole record
        }
        return std::nullopt;
    });
}

Decoded<StoredCollectionDecoder::SkinTones>
StoredCollectionDecoder::skinTones(std::string_view json) {
    return members<SkinTones>(json, [](const nlohmann::json& name) -> std::optional<SkinTone> {
        return name.is_string() ? skinToneFromRaw(name.get<std::string>()) : std::nullopt;
    });
}

} // namespace tiklo
