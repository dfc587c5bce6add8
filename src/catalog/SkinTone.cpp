// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/SkinTone.h"

#include "catalog/RawValueTable.h"
#include "catalog/Unicode.h"

namespace tiklo {
namespace {

constexpr char32_t thumbsUp = 0x1F44D;

struct ToneInfo {
    SkinTone value;
    std::string_view raw;
    char32_t modifier; // 0: none
    std::string_view label;
};

constexpr std::array<ToneInfo, 6> toneTable{{
    {SkinTone::standard, "standard", 0, "Default"},
    {SkinTone::light, "light", 0x1F3FB, "Light"},
    {SkinTone::mediumLight, "mediumLight", 0x1F3FC, "Medium light"},
    {SkinTone::medium, "medium", 0x1F3FD, "Medium"},
    {SkinTone::mediumDark, "mediumDark", 0x1F3FE, "Medium dark"},
    {SkinTone::dark, "dark", 0x1F3FF, "Dark"},
}};

const ToneInfo& info(SkinTone tone) {
    return toneTable[static_cast<std::size_t>(tone)];
}

} // namespace

std::string_view rawValue(SkinTone tone) {
    return info(tone).raw;
}

std::optional<char32_t> modifier(SkinTone tone) {
    if (info(tone).modifier == 0) {
        return std::nullopt;
    }
    return info(tone).modifier;
}

std::string_view label(SkinTone tone) {
    return info(tone).label;
}

std::string sample(SkinTone tone) {
    std::u32string scalars{thumbsUp};
    if (auto m = modifier(tone)) {
        scalars.push_back(*m);
    }
    return unicode::toUtf8(scalars);
}

std::optional<SkinTone> skinToneFromRaw(std::string_view raw) {
    return lookupRawValue(toneTable, raw);
}

void to_json(nlohmann::json& j, SkinTone tone) {
    j = std::string(rawValue(tone));
}

void from_json(const nlohmann::json& j, SkinTone& tone) {
    tone = decodeRawValue(toneTable, j, "SkinTone");
}

} // namespace tiklo
