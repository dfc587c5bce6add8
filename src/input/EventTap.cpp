// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/EventTap.h"

#include "app/AppState.h"

namespace tiklo {

EventTap::EventTap(KeyboardMonitor& monitor, AccessibilityTrust& trust, TimerFactory& timers,
                   AppState& state, KeyDownHandler onKeyDown)
    : monitor_(monitor), trust_(trust), timers_(timers), state_(state),
      onKeyDown_(std::move(onKeyDown)) {}

void EventTap::start() {
    if (installed_) {
        return;
    }
    if (!trust_.isTrusted()) {
        state_.setAccessibilityGranted(false);
        if (!retryTimer_) {
            scheduleRetry();
        }
        return;
    }
    if (!monitor_.install([this](const KeyDown& key) { keyDown(key); })) {
        if (!retryTimer_) {
            scheduleRetry();
        }
        return;
    }
    installed_ = true;
    retryTimer_.reset();
    state_.setAccessibilityGranted(true);
    startWatchdog();
}

void EventTap::stop() {
    watchdogTimer_.reset();
    if (installed_) {
        monitor_.remove();
    }
    installed_ = false;
}

void EventTap::scheduleRetry() {
    retryTimer_ = timers_.startRepeating(retryInterval, [this] { retryTick(); });
}

void EventTap::startWatchdog() {
    watchdogTimer_ = timers_.startRepeating(watchdogInterval, [this] { watchdogTick(); });
}

void EventTap::retryTick() {
    const bool trusted = trust_.isTrusted();
    state_.setAccessibilityGranted(trusted);
    if (trusted) {
        start();
    }
}

void EventTap::watchdogTick() {
    if (installed_ && !trust_.isTrusted()) {
        stop();
        state_.setAccessibilityGranted(false);
        if (!retryTimer_) {
            scheduleRetry();
        }
    }
}

void EventTap::keyDown(const KeyDown& key) {
    // The injector's own keystrokes are not the user's.
    if (key.synthetic || !onKeyDown_) {
        return;
    }
    onKeyDown_(key);
}

} // namespace tiklo
