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

} // namespace

StoredCollectionDecoder::Decoded<std::vector<std::string>>
StoredCollectionDecoder::strings(std::string_view json) {
    Decoded<std::vector<std::string>> decoded;
    const std::optional<nlohmann::json> parsed = parse(json);
    if (!parsed || !parsed->is_array()) {
        decoded.droppedAny = true;
        return decoded;
    }
    for (const nlohmann::json& element : *parsed) {
        if (element.is_string()) {
            decoded.value.push_back(element.get<std::string>());
        } else {
            decoded.droppedAny = true;
        }
    }
    return decoded;
}

StoredCollectionDecoder::Decoded<StoredCollectionDecoder::Usage>
StoredCollectionDecoder::usage(std::string_view json) {
    Decoded<Usage> decoded;
    const std::optional<nlohmann::json> parsed = parse(json);
    if (!parsed || !parsed->is_object()) {
        decoded.droppedAny = true;
        return decoded;
    }
    for (const auto& [emoji, record] : parsed->items()) {
        try {
            if (record.is_object() && countFits(record)) {
                decoded.value.insert_or_assign(emoji, record.get<EmojiUsage>());
                continue;
            }
        } catch (const std::exception&) {
            // not a whole record: dropped below
        }
        decoded.droppedAny = true;
    }
    return decoded;
}

StoredCollectionDecoder::Decoded<StoredCollectionDecoder::SkinTones>
StoredCollectionDecoder::skinTones(std::string_view json) {
    Decoded<SkinTones> decoded;
    const std::optional<nlohmann::json> parsed = parse(json);
    if (!parsed || !parsed->is_object()) {
        decoded.droppedAny = true;
        return decoded;
    }
    for (const auto& [emoji, name] : parsed->items()) {
        const std::optional<SkinTone> tone =
            name.is_string() ? skinToneFromRaw(name.get<std::string>()) : std::nullopt;
        if (tone) {
            decoded.value.insert_or_assign(emoji, *tone);
        } else {
            decoded.droppedAny = true;
        }
    }
    return decoded;
}

} // namespace tiklo
