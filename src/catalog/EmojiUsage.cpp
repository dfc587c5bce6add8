// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiUsage.h"

#include <stdexcept>

#include <nlohmann/json.hpp>

namespace tiklo {

void to_json(nlohmann::json& j, const EmojiUsage& usage) {
    j = nlohmann::json{{"count", usage.count}, {"lastUsedAt", usage.lastUsedAt}};
}

void from_json(const nlohmann::json& j, EmojiUsage& usage) {
    const nlohmann::json& count = j.at("count");
    const nlohmann::json& lastUsedAt = j.at("lastUsedAt");
    if (!count.is_number_integer() || !lastUsedAt.is_number()) {
        throw std::invalid_argument("EmojiUsage: wrong member types");
    }
    usage.count = count.get<std::int64_t>();
    usage.lastUsedAt = lastUsedAt.get<double>();
}

} // namespace tiklo
