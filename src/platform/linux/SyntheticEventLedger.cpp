// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/SyntheticEventLedger.h"

namespace tiklo {

SyntheticEventLedger::SyntheticEventLedger(Clock clock) : clock_(std::move(clock)) {}

void SyntheticEventLedger::append(std::uint8_t keycode, bool press) {
    const auto now = clock_();
    std::lock_guard lock(mutex_);
    // Expiring here too keeps the ledger small while nobody observes (monitor not installed).
    expire(now);
    entries_.push_back({keycode, press, now});
}

bool SyntheticEventLedger::matchAndConsume(std::uint8_t keycode, bool press) {
    const auto now = clock_();
    std::lock_guard lock(mutex_);
    expire(now);
    if (entries_.empty() || entries_.front().keycode != keycode ||
        entries_.front().press != press) {
        return false;
    }
    entries_.pop_front();
    return true;
}

std::size_t SyntheticEventLedger::size() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

void SyntheticEventLedger::expire(std::chrono::steady_clock::time_point now) {
    while (!entries_.empty() && now - entries_.front().sent >= lifetime) {
        entries_.pop_front();
    }
}

} // namespace tiklo
