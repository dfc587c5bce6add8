// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/UsageLearning.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tiklo {
namespace {

// A use count stays at its largest value instead of wrapping to a negative one.
constexpr std::int64_t maxUseCount = std::numeric_limits<std::int64_t>::max();

} // namespace

UsageLearning::RecentsSteps UsageLearning::recentsSteps(const Recents& recents,
                                                        const std::string& id) {
    RecentsSteps steps;
    steps.without = recents;
    std::erase(steps.without, id);
    steps.withFront = steps.without;
    steps.withFront.insert(steps.withFront.begin(), id);
    if (steps.withFront.size() > recentsLimit) {
        steps.cut = Recents(steps.withFront.begin(), steps.withFront.begin() + recentsLimit);
    }
    return steps;
}

EmojiUsage UsageLearning::counted(EmojiUsage record, double now) {
    record.count = record.count < maxUseCount ? record.count + 1 : maxUseCount;
    record.lastUsedAt = now;
    return record;
}

void UsageLearning::recordUse(Recents& recents, Usage& usage, const EmojiItem& item, double now) {
    recents = recentsSteps(recents, item.id()).result();
    usage[item.emoji] = counted(usage[item.emoji], now);
}

} // namespace tiklo
