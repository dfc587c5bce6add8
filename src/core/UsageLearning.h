// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiItem.h"
#include "catalog/EmojiUsage.h"

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tiklo {

// What one inserted emoji teaches: it moves to the front of the recents (every other copy of
// it goes, and the list keeps its limit), and its use count grows, up to the largest count,
// with the time of this use. Both front ends learn by these rules.
class UsageLearning {
public:
    static constexpr std::size_t recentsLimit = 36;

    using Recents = std::vector<std::string>;
    using Usage = std::unordered_map<std::string, EmojiUsage>;

    // The recents after each step of one use, as observers see them: without the item, with
    // it in front, and cut to the limit when that made them too long.
    struct RecentsSteps {
        Recents without;
        Recents withFront;
        std::optional<Recents> cut;

        const Recents& result() const { return cut ? *cut : withFront; }
    };

    static RecentsSteps recentsSteps(const Recents& recents, const std::string& id);
    static EmojiUsage counted(EmojiUsage record, double now);

    // Both at once, for a store that has no observers.
    static void recordUse(Recents& recents, Usage& usage, const EmojiItem& item, double now);
};

} // namespace tiklo
