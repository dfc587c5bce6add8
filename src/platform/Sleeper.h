// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace tiklo {

// A blocking pause, so paced work can be tested without waiting.
class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void sleepMicroseconds(std::uint32_t microseconds) = 0;
};

} // namespace tiklo
