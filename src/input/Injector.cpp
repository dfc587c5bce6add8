// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/Injector.h"

#include "catalog/Unicode.h"

#include <algorithm>

namespace tiklo {

Injector::Injector(KeyPoster& poster, ApplicationActivator& activator, KeyboardHold& hold,
                   MainThreadExecutor& mainThread, Sleeper& sleeper)
    : poster_(poster), activator_(activator), hold_(hold), mainThread_(mainThread),
      sleeper_(sleeper), worker_([this] { run(); }) {}

Injector::~Injector() {
    {
        // The program is quitting: work not yet started would type into whatever is in
        // front by then, and may need a main thread that no longer runs.
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    worker_.join();
}

void Injector::holdKeys() {
    hold_.hold();
}

void Injector::forwardKeys(const std::vector<KeyStroke>& keys) {
    for (const KeyStroke& key : keys) {
        // The query given back: typed again, never a prefix to pause after.
        hold_.redirect(key.scanCode, key.nativeModifiers, key.press, 0);
    }
}

void Injector::replace(int backspaces, std::string text, std::optional<RunningApplication> app) {
    enqueueHeld([this, backspaces, text = std::move(text), app = std::move(app)] {
        activate(app);
        awaitTarget(app);
        poster_.releaseModifiers(modifierTimeout);
        sendBackspaces(std::max(backspaces, 0));
        typeText(text);
    });
}

void Injector::reactivate(std::optional<RunningApplication> app) {
    enqueueHeld([this, app = std::move(app)] {
        activate(app);
        if (app) {
            poster_.awaitFocus(*app, focusTimeout, answerTimeout);
        }
    });
}

void Injector::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

void Injector::enqueueHeld(std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        // Under the queue's lock: the worker cannot end the hold between the two.
        hold_.hold();
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void Injector::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) {
            return; // stopping, and nothing left to do
        }
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        job();
        lock.lock();
        if (jobs_.empty()) {
            // The keys typed meanwhile follow what was typed, those still waiting in the
            // picker's window first; the application then reads it all, and the keys borrowed
            // for typing are given back.
            lock.unlock();
            mainThread_.runSync([this] { hold_.takePending(); });
            lock.lock();
        }
        if (jobs_.empty()) {
            hold_.releaseToFocus();
            lock.unlock();
            poster_.finishTyping();
            lock.lock();
        }
        busy_ = false;
        if (jobs_.empty()) {
            idle_.notify_all();
        }
    }
}

void Injector::activate(const std::optional<RunningApplication>& app) {
    if (!app) {
        return;
    }
    mainThread_.runSync([this, &app] { activator_.activate(*app); });
}

void Injector::awaitTarget(const std::optional<RunningApplication>& app) {
    if (!app) {
        sleeper_.sleepMicroseconds(pauseWithoutTarget);
        return;
    }
    // A target that never confirms is typed into all the same once the time is up.
    poster_.awaitFocus(*app, focusTimeout, answerTimeout);
}

void Injector::sendBackspaces(int count) {
    if (count < 1) {
        return;
    }
    const bool pauses = !poster_.keepsOrder();
    for (int i = 0; i < count; ++i) {
        poster_.tapKey(deleteKey);
        if (pauses) {
            sleeper_.sleepMicroseconds(pauseAfterDelete);
        }
    }
    if (pauses) {
        sleeper_.sleepMicroseconds(pauseAfterLastDelete);
    }
}

std::u16string Injector::typedUnits(const std::string& text) {
    std::u16string units;
    const std::u32string scalars = unicode::scalars(text);
    for (std::size_t i = 0; i < scalars.size(); ++i) {
        char32_t c = scalars[i];
        if (c == U'\r' && i + 1 < scalars.size() && scalars[i + 1] == U'\n') {
            ++i; // CR LF: one CR
        } else if (c == U'\n') {
            c = U'\r';
        }
        if (c >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(c));
        }
    }
    return units;
}

void Injector::typeText(const std::string& text) {
    if (text.empty()) {
        return;
    }
    const std::u16string units = typedUnits(text);
    for (std::size_t start = 0; start < units.size(); start += chunkCodeUnits) {
        const std::u16string_view chunk = std::u16string_view(units).substr(start, chunkCodeUnits);
        poster_.postText(chunk, true);
        poster_.postText(chunk, false);
        if (!poster_.keepsOrder()) {
            sleeper_.sleepMicroseconds(pauseAfterChunk);
        }
    }
}

} // namespace tiklo
