// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <thread>

namespace tiklo::test {

// Runs `check` until it answers something or the time is up; its last answer.
template <typename Check>
auto pollFor(Check check, std::chrono::milliseconds timeout,
             std::chrono::milliseconds interval = std::chrono::milliseconds(20))
    -> decltype(check()) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        auto answer = check();
        if (answer || std::chrono::steady_clock::now() >= deadline) {
            return answer;
        }
        std::this_thread::sleep_for(interval);
    }
}

} // namespace tiklo::test
