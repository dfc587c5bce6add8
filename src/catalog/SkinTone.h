// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

namespace tiklo {

enum class SkinTone { standard, light, mediumLight, medium, mediumDark, dark };

inline constexpr std::array<SkinTone, 6> allSkinTones{SkinTone::standard,    SkinTone::light,
                                                      SkinTone::mediumLight, SkinTone::medium,
                                                      SkinTone::mediumDark,  SkinTone::dark};

std::string_view rawValue(SkinTone tone);
// The Fitzpatrick modifier scalar appended for this tone; none for `standard`.
std::optional<char32_t> modifier(SkinTone tone);
std::string_view label(SkinTone tone);
// Thumbs-up followed by the tone's modifier, as UTF-8.
std::string sample(SkinTone tone);
std::optional<SkinTone> skinToneFromRaw(std::string_view raw);

void to_json(nlohmann::json& j, SkinTone tone);
void from_json(const nlohmann::json& j, SkinTone& tone);

} // namespace tiklo
