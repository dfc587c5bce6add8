// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace tiklo {

// Runs work on the main thread and waits for it. Never call it from the main thread.
class MainThreadExecutor {
public:
    virtual ~MainThreadExecutor() = default;
    virtual void runSync(const std::function<void()>& work) = 0;
};

} // namespace tiklo
