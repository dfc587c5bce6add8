// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

namespace tiklo {

// The system's record of whether Tiklo starts when the user logs in.
class LoginItemService {
public:
    virtual ~LoginItemService() = default;

    virtual bool isRegistered() const = 0;
    // A failure carries the system's description of what went wrong.
    virtual Result registerItem() = 0;
    virtual Result unregisterItem() = 0;
};

} // namespace tiklo
