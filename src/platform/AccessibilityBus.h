// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace tiklo {

// The desktop's accessibility bus, over which applications report their focused fields and
// carets. AccessibilityTrust::requestTrust switches it on.
class AccessibilityBus {
public:
    enum class State {
        unknown, // not answered yet
        on,
        off,
        missing, // no bus on this desktop (or it does not answer)
    };
    using Listener = std::function<void(State)>;

    virtual ~AccessibilityBus() = default;

    // `listener` hears the state once it is known and every change after, on the main
    // thread. Never blocks.
    virtual void watch(Listener listener) = 0;
};

} // namespace tiklo
