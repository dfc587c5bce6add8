// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

namespace tiklo {

// A repeating timer on the main thread; destroying the handle stops it.
class RepeatingTimer {
public:
    virtual ~RepeatingTimer() = default;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<RepeatingTimer> startRepeating(double seconds,
                                                           std::function<void()> tick) = 0;
};

} // namespace tiklo
