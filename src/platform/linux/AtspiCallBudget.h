// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atspi/atspi.h>

#include <algorithm>
#include <chrono>

namespace tiklo {

// Time left for the blocking AT-SPI calls of one caret query. libatspi waits for each reply
// as long as its global timeout says, so every call is preceded by arm(), which shortens
// that timeout to what is left: the query then ends by its deadline even when the
// application has stopped answering.
class AtspiCallBudget {
public:
    using Clock = std::chrono::steady_clock;

    AtspiCallBudget(Clock::time_point deadline, std::chrono::milliseconds callTimeout,
                    std::chrono::milliseconds startupTimeout)
        : deadline_(deadline), callTimeout_(callTimeout), startupTimeout_(startupTimeout) {}

    // Prepares libatspi for one more call; false when no time is left for it.
    bool arm() const {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline_ - Clock::now());
        if (left.count() < 1) {
            return false;
        }
        // libatspi allows a newly seen application the larger of the two.
        atspi_set_timeout(static_cast<gint>(std::min(callTimeout_, left).count()),
                          static_cast<gint>(std::min(startupTimeout_, left).count()));
        return true;
    }

private:
    Clock::time_point deadline_;
    std::chrono::milliseconds callTimeout_;
    std::chrono::milliseconds startupTimeout_;
};

} // namespace tiklo
