// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/SyntheticEventLedger.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using namespace std::chrono_literals;

TEST(SyntheticEventLedgerTest, MatchesTheOldestEntryOnceAndExpiresWhatNeverArrives) {
    std::chrono::steady_clock::time_point now{};
    SyntheticEventLedger ledger{[&now] { return now; }};
    ledger.append(22, true);
    ledger.append(22, false);
    ledger.append(50, true);
    ledger.append(50, false);

    // A user's key with a keycode sent later, or the wrong half of the oldest, is the user's.
    EXPECT_FALSE(ledger.matchAndConsume(50, true));
    EXPECT_FALSE(ledger.matchAndConsume(22, false));

    EXPECT_TRUE(ledger.matchAndConsume(22, true));
    EXPECT_TRUE(ledger.matchAndConsume(22, false));
    // Consumed: the same event once more is somebody else's.
    EXPECT_FALSE(ledger.matchAndConsume(22, false));
    EXPECT_TRUE(ledger.matchAndConsume(50, true));
    EXPECT_TRUE(ledger.matchAndConsume(50, false));
    EXPECT_EQ(ledger.size(), 0U);

    // An event that never arrives expires, at its lifetime and not before, instead of hiding
    // the user's keys.
    ledger.append(22, true); // lost on the way
    ledger.append(22, false);
    now += 999ms;
    EXPECT_FALSE(ledger.matchAndConsume(22, false)); // still waiting for the press
    EXPECT_EQ(ledger.size(), 2U);
    now += 1ms;
    EXPECT_FALSE(ledger.matchAndConsume(22, false));
    EXPECT_EQ(ledger.size(), 0U);

    // Entries sent later keep their own full lifetime.
    ledger.append(30, true);
    now += 900ms;
    ledger.append(30, false);
    now += 200ms;
    EXPECT_FALSE(ledger.matchAndConsume(30, true));
    EXPECT_TRUE(ledger.matchAndConsume(30, false));

    // With nobody observing, appending alone keeps the ledger from growing.
    for (int i = 0; i < 100; ++i) {
        ledger.append(40, true);
        now += 100ms;
    }
    EXPECT_LE(ledger.size(), 10U);
}

} // namespace
} // namespace tiklo
