// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace tiklo {

// The update framework as the program uses it: started once at launch (it runs its own
// scheduled checks), it says whether a check can start now and runs one when the user
// asks.
class SoftwareUpdater {
public:
    virtual ~SoftwareUpdater() = default;

    virtual void start() = 0;
    virtual bool canCheckForUpdates() const = 0;
    // Called with the new value whenever canCheckForUpdates changes, possibly in the middle
    // of another call of this interface.
    virtual void setCanCheckHandler(std::function<void(bool)> handler) = 0;
    // A check the user asked for: its result is always shown. Ignored while none can start.
    virtual void checkForUpdates() = 0;
};

} // namespace tiklo
