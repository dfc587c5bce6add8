// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UsageHistory.h"

namespace tiklo {

UsageHistory::UsageHistory(AppState& state, Clock clock, QObject* parent)
    : QObject(parent), state_(state), clock_(std::move(clock)) {}

void UsageHistory::recordUse(const EmojiItem& item) {
    // Learning starts from what the addon may have learnt meanwhile, or would undo it.
    state_.refreshFromStore();
    // Recents and usage change together: the settings file is written once for both.
    const AppState::Batch batch(state_);
    const UsageLearning::RecentsSteps steps =
        UsageLearning::recentsSteps(state_.recents(), item.id());
    state_.setRecents(steps.without);
    state_.setRecents(steps.withFront);
    if (steps.cut) {
        state_.setRecents(*steps.cut);
    }
    AppState::Usage usage = state_.emojiUsage();
    usage[item.emoji] = UsageLearning::counted(usage[item.emoji], clock_());
    state_.setEmojiUsage(std::move(usage));
}

void UsageHistory::toggleFavorite(const EmojiItem& item) {
    state_.refreshFromStore();
    AppState::Favorites favorites = state_.favorites();
    if (favorites.erase(item.id()) == 0) {
        favorites.insert(item.id());
    }
    state_.setFavorites(std::move(favorites));
}

void UsageHistory::setSkinTone(const EmojiItem& item, std::optional<SkinTone> tone) {
    state_.refreshFromStore();
    if (!item.supportsSkinTone) {
        return;
    }
    AppState::SkinTones tones = state_.emojiSkinTones();
    if (tone) {
        tones.insert_or_assign(item.emoji, *tone);
    } else if (tones.erase(item.emoji) == 0) {
        return;
    }
    state_.setEmojiSkinTones(std::move(tones));
}

void UsageHistory::clearUsage() {
    state_.setEmojiUsage({});
}

} // namespace tiklo
