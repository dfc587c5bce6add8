// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <nlohmann/json_fwd.hpp>

namespace tiklo {

// How often and when an emoji was last inserted. Times are seconds since
// 2001-01-01 00:00:00 UTC, fractional part kept.
struct EmojiUsage {
    std::int64_t count = 0;
    double lastUsedAt = 0;

    bool operator==(const EmojiUsage&) const = default;
};

void to_json(nlohmann::json& j, const EmojiUsage& usage);
// Both members are required; "count" must be an integer and "lastUsedAt" a number.
void from_json(const nlohmann::json& j, EmojiUsage& usage);

} // namespace tiklo
