// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Sleeper.h"

namespace tiklo {

class ThreadSleeper : public Sleeper {
public:
    void sleepMicroseconds(std::uint32_t microseconds) override;
};

} // namespace tiklo
