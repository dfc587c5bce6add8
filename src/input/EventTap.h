// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AccessibilityTrust.h"
#include "platform/KeyboardMonitor.h"
#include "platform/RepeatingTimer.h"

#include <functional>
#include <memory>

namespace tiklo {

class AppState;

// Observes the user's key presses system-wide and hands them on. Installs itself when
// the permission is there, retries every 2 s while it is not, and notices within 5 s when
// it is taken away. It only listens. Main thread only.
class EventTap {
public:
    static constexpr double retryInterval = 2.0;
    static constexpr double watchdogInterval = 5.0;

    using KeyDownHandler = std::function<void(const KeyDown&)>;

    EventTap(KeyboardMonitor& monitor, AccessibilityTrust& trust, TimerFactory& timers,
             AppState& state, KeyDownHandler onKeyDown);

    void start();
    // Removes the tap and its watchdog; a running retry goes on.
    void stop();

    bool isInstalled() const { return installed_; }
    bool isRetrying() const { return retryTimer_ != nullptr; }
    bool isWatching() const { return watchdogTimer_ != nullptr; }

private:
    void scheduleRetry();
    void startWatchdog();
    void retryTick();
    void watchdogTick();
    void keyDown(const KeyDown& key);

    KeyboardMonitor& monitor_;
    AccessibilityTrust& trust_;
    TimerFactory& timers_;
    AppState& state_;
    KeyDownHandler onKeyDown_;
    bool installed_ = false;
    std::unique_ptr<RepeatingTimer> retryTimer_;
    std::unique_ptr<RepeatingTimer> watchdogTimer_;
};

} // namespace tiklo
