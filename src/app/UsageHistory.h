// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppState.h"
#include "catalog/EmojiItem.h"
#include "catalog/ReferenceClock.h"
#include "core/UsageLearning.h"

#include <cstddef>
#include <optional>

#include <QObject>

namespace tiklo {

// What Tiklo learns from the emoji the user inserts and marks: recents, use counts,
// favorites and tones chosen for single emoji, kept in the settings store.
class UsageHistory : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t recentsLimit = UsageLearning::recentsLimit;

    explicit UsageHistory(AppState& state, Clock clock = secondsSinceReferenceDate,
                          QObject* parent = nullptr);

    // The item moves to the front of the recents (every copy of it goes) and its use count
    // grows, up to the largest count; written in one go.
    void recordUse(const EmojiItem& item);
    void toggleFavorite(const EmojiItem& item);
    // The tone the item is shown and typed in from now on, over the default one; none: the
    // default again. Items that take no tone keep none.
    void setSkinTone(const EmojiItem& item, std::optional<SkinTone> tone);
    // Forgets every use count; recents and favorites stay.
    Q_INVOKABLE void clearUsage();

private:
    AppState& state_;
    Clock clock_;
};

} // namespace tiklo
