// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RunningApplication.h"

namespace tiklo {

// Brings an application's window to the front. Main thread only.
class ApplicationActivator {
public:
    virtual ~ApplicationActivator() = default;
    virtual void activate(const RunningApplication& application) = 0;
};

} // namespace tiklo
