// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/PickerMode.h"

#include "catalog/RawValueTable.h"

namespace tiklo {
namespace {

struct ModeInfo {
    PickerMode value;
    std::string_view raw;
};

constexpr std::array<ModeInfo, 2> modeTable{
    {{PickerMode::grid, "grid"}, {PickerMode::list, "list"}}};

} // namespace

std::string_view rawValue(PickerMode mode) {
    return modeTable[static_cast<std::size_t>(mode)].raw;
}

std::optional<PickerMode> pickerModeFromRaw(std::string_view raw) {
    return lookupRawValue(modeTable, raw);
}

void to_json(nlohmann::json& j, PickerMode mode) {
    j = std::string(rawValue(mode));
}

void from_json(const nlohmann::json& j, PickerMode& mode) {
    mode = decodeRawValue(modeTable, j, "PickerMode");
}

} // namespace tiklo
