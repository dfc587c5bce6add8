// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace tiklo {

// Times are seconds since 2001-01-01 00:00:00 UTC, as the stored usage records keep them.
using Clock = std::function<double()>;

inline constexpr double unixTimeOfReferenceDate = 978307200.0;

// The current time on that scale, from the system clock.
double secondsSinceReferenceDate();

} // namespace tiklo
