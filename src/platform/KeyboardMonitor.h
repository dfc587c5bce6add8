// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"
#include "platform/KeyDown.h"

#include <functional>

namespace tiklo {

// System-wide observation of the user's key presses. It only listens: nothing is altered,
// delayed or swallowed.
class KeyboardMonitor {
public:
    using KeyDownHandler = std::function<void(const KeyDown&)>;

    virtual ~KeyboardMonitor() = default;

    // Starts reporting key presses on the main thread. Fails when observing is not possible.
    virtual Result install(KeyDownHandler handler) = 0;
    virtual void remove() = 0;
};

} // namespace tiklo
