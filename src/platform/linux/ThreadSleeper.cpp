// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/ThreadSleeper.h"

#include <chrono>
#include <thread>

namespace tiklo {

void ThreadSleeper::sleepMicroseconds(std::uint32_t microseconds) {
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}

} // namespace tiklo
