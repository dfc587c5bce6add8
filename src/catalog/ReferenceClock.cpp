// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/ReferenceClock.h"

#include <chrono>

namespace tiklo {

double secondsSinceReferenceDate() {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceEpoch).count() - unixTimeOfReferenceDate;
}

} // namespace tiklo
