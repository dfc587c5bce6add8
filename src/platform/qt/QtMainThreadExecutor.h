// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/MainThreadExecutor.h"

#include <atomic>

#include <QObject>

namespace tiklo {

// Runs work on the thread of the Qt application object and waits for it. After
// `shutDown` (called by the main thread before it stops serving events) work is skipped,
// so a worker never waits for a loop that has ended.
class QtMainThreadExecutor : public MainThreadExecutor {
public:
    void runSync(const std::function<void()>& work) override;
    void shutDown() { shutDown_ = true; }

private:
    std::atomic<bool> shutDown_ = false;
};

} // namespace tiklo
