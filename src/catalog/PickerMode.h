// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include <nlohmann/json_fwd.hpp>

namespace tiklo {

enum class PickerMode { grid, list };

inline constexpr std::array<PickerMode, 2> allPickerModes{PickerMode::grid, PickerMode::list};

std::string_view rawValue(PickerMode mode);
std::optional<PickerMode> pickerModeFromRaw(std::string_view raw);

void to_json(nlohmann::json& j, PickerMode mode);
void from_json(const nlohmann::json& j, PickerMode& mode);

} // namespace tiklo
