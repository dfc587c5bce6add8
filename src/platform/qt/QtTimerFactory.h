// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RepeatingTimer.h"

namespace tiklo {

// Repeating timers on the Qt main loop.
class QtTimerFactory : public TimerFactory {
public:
    std::unique_ptr<RepeatingTimer> startRepeating(double seconds,
                                                   std::function<void()> tick) override;
};

} // namespace tiklo
