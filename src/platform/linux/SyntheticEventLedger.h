// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

namespace tiklo {

// The key events Tiklo sent itself, oldest first. X events cannot carry a sender, and keys
// from other XTEST clients (xdotool) arrive from the same device, so the keyboard monitor
// recognises Tiklo's own keys by matching what it observes against what was sent. The
// poster appends each event just before sending it; the monitor consumes them. Thread-safe.
class SyntheticEventLedger {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // An entry not observed within this time is taken as lost, so one event that never
    // arrives cannot make the monitor drop the user's keys for long.
    static constexpr std::chrono::milliseconds lifetime{1000};

    explicit SyntheticEventLedger(Clock clock = &std::chrono::steady_clock::now);

    void append(std::uint8_t keycode, bool press);

    // True when the observed event is the oldest one still expected, which is then removed.
    // Only the oldest can match: the server delivers one client's events in the order sent,
    // and a user's key that happens to share a keycode further back must stay the user's.
    bool matchAndConsume(std::uint8_t keycode, bool press);

    std::size_t size() const;

private:
    struct Entry {
        std::uint8_t keycode;
        bool press;
        std::chrono::steady_clock::time_point sent;
    };

    void expire(std::chrono::steady_clock::time_point now);

    Clock clock_;
    mutable std::mutex mutex_;
    std::deque<Entry> entries_;
};

} // namespace tiklo
