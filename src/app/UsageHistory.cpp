#include "app/UsageHistory.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tiklo {
namespace {

// A use count stays at its largest value instead of wrapping to a negative one.
constexpr std::int64_t maxUseCount = std::numeric_limits<std::int64_t>::max();

} // namespace

UsageHistory::UsageHistory(AppState& state, Clock clock, QObject* parent)
    : QObject(parent), state_(state), clock_(std::move(clock)) {}

void UsageHistory::recordUse(const EmojiItem& item) {
    // Recents and usage change together: the settings file is written once for both.
    const AppState::Batch batch(state_);
    const std::string& id = item.id();
    std::vector<std::string> without = state_.recents();
    std::erase(without, id);
    state_.setRecents(without);
    std::vector<std::string> withFront = state_.recents();
    withFront.insert(withFront.begin(), id);
    state_.setRecents(withFront);
    if (state_.recents().size() > recentsLimit) {
        const std::vector<std::string>& recents = state_.recents();
        state_.setRecents(
            std::vector<std::string>(recents.begin(), recents.begin() + recentsLimit));
    }
    AppState::Usage usage = state_.emojiUsage();
    EmojiUsage& record = usage[item.emoji];
    record.count = record.count < maxUseCount ? record.count + 1 : maxUseCount;
    record.lastUsedAt = clock_();
    state_.setEmojiUsage(std::move(usage));
}

void UsageHistory::toggleFavorite(const EmojiItem& item) {
    AppState::Favorites favorites = state_.favorites();
    if (favorites.erase(item.id()) == 0) {
        favorites.insert(item.id());
    }
    state_.setFavorites(std::move(favorites));
}

void UsageHistory::setSkinTone(const EmojiItem& item, std::optional<SkinTone> tone) {
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
