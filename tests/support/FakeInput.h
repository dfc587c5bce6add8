// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Stand-ins for the platform interfaces of key observation, posting, timers and carets.
#include "input/PickerOpener.h"
#include "input/TextInjector.h"
#include "platform/AccessibilityProvider.h"
#include "platform/ApplicationActivator.h"
#include "platform/KeyPoster.h"
#include "platform/KeyboardHold.h"
#include "platform/KeyboardMonitor.h"
#include "platform/MainThreadExecutor.h"
#include "platform/RepeatingTimer.h"
#include "platform/Screens.h"
#include "platform/Sleeper.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace tiklo::test {

class FakeKeyboardMonitor : public KeyboardMonitor {
public:
    Result install(KeyDownHandler handler) override {
        ++installs;
        if (refuse) {
            return Result::failure("refused");
        }
        this->handler = std::move(handler);
        return Result::success();
    }
    void remove() override {
        ++removals;
        handler = nullptr;
    }
    // A key press as the system would deliver it; nothing when not installed.
    void press(const KeyDown& key) {
        if (handler) {
            handler(key);
        }
    }

    bool refuse = false;
    int installs = 0;
    int removals = 0;
    KeyDownHandler handler;
};

// Timers that tick only when the test says so.
class ManualTimerFactory : public TimerFactory {
public:
    struct Entry {
        double seconds;
        std::function<void()> tick;
        bool alive = true;
    };
    class Handle : public RepeatingTimer {
    public:
        explicit Handle(std::shared_ptr<Entry> entry) : entry_(std::move(entry)) {}
        ~Handle() override { entry_->alive = false; }

    private:
        std::shared_ptr<Entry> entry_;
    };

    std::unique_ptr<RepeatingTimer> startRepeating(double seconds,
                                                   std::function<void()> tick) override {
        entries.push_back(std::make_shared<Entry>(Entry{seconds, std::move(tick)}));
        return std::make_unique<Handle>(entries.back());
    }
    int running(double seconds) const {
        return static_cast<int>(std::count_if(entries.begin(), entries.end(), [&](const auto& e) {
            return e->alive && e->seconds == seconds;
        }));
    }
    // Ticks every running timer of that interval once.
    void tick(double seconds) {
        const auto snapshot = entries;
        for (const auto& entry : snapshot) {
            if (entry->alive && entry->seconds == seconds) {
                auto tick = entry->tick; // the tick may drop its own handle
                tick();
            }
        }
    }

    std::vector<std::shared_ptr<Entry>> entries;
};

// Counts what is asked of it; holds whenever asked.
class FakeKeyboardHold : public KeyboardHold {
public:
    bool hold() override {
        ++holds;
        return holding = true;
    }
    void releaseToOwnWindow() override {
        ++releasedToOwnWindow;
        holding = false;
    }
    void releaseToFocus() override {
        ++releasedToFocus;
        holding = false;
    }
    void takePending() override {}
    bool isHolding() const override { return holding; }
    bool took(std::uint32_t scanCode, std::uint32_t time) override {
        return taken.count({scanCode, time}) != 0;
    }
    void redirect(std::uint32_t, std::uint32_t, bool, std::uint32_t) override {}
    bool pauseAfter(std::uint32_t scanCode, std::uint32_t time,
                    std::function<void()> then) override {
        if (!holding) {
            return false;
        }
        pause = {scanCode, time};
        afterPause = std::move(then);
        return true;
    }

    bool holding = false;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> pause;
    std::function<void()> afterPause;
    int holds = 0;
    int releasedToOwnWindow = 0;
    int releasedToFocus = 0;
    std::set<std::pair<std::uint32_t, std::uint32_t>> taken;
};

// Records everything posted, slept, held and activated, in one ordered log.
class InjectionRecorder : public KeyPoster,
                          public ApplicationActivator,
                          public KeyboardHold,
                          public MainThreadExecutor,
                          public Sleeper {
public:
    bool awaitFocus(const RunningApplication& app, std::chrono::milliseconds focusTimeout,
                    std::chrono::milliseconds answerTimeout) override {
        add("await focus " + app.appID + " " + std::to_string(focusTimeout.count()) + " " +
            std::to_string(answerTimeout.count()));
        return true;
    }
    void releaseModifiers(std::chrono::milliseconds timeout) override {
        add("release modifiers " + std::to_string(timeout.count()));
    }
    void finishTyping() override { add("finish typing"); }
    bool keepsOrder() const override { return ordered; }
    bool hold() override {
        add("hold");
        return true;
    }
    void releaseToOwnWindow() override { add("release to own window"); }
    void releaseToFocus() override { add("release to focus"); }
    void takePending() override { add("take pending"); }
    bool isHolding() const override { return false; }
    bool took(std::uint32_t, std::uint32_t) override { return false; }
    void redirect(std::uint32_t, std::uint32_t, bool, std::uint32_t) override { add("redirect"); }
    bool pauseAfter(std::uint32_t, std::uint32_t, std::function<void()>) override { return false; }
    void tapKey(KeySym sym) override {
        add("key " + std::to_string(sym) + " down");
        add("key " + std::to_string(sym) + " up");
    }
    void postText(std::u16string_view chunk, bool down) override {
        add("text " + std::to_string(chunk.size()) + (down ? " down" : " up"));
        std::lock_guard lock(mutex);
        if (down) {
            typed.append(chunk);
        }
    }
    void activate(const RunningApplication& app) override { add("activate " + app.appID); }
    void runSync(const std::function<void()>& work) override {
        add("main thread");
        work();
    }
    void sleepMicroseconds(std::uint32_t microseconds) override {
        add("sleep " + std::to_string(microseconds));
    }

    std::vector<std::string> events() {
        std::lock_guard lock(mutex);
        return log;
    }

    std::mutex mutex;
    std::vector<std::string> log;
    std::u16string typed;
    // A poster that keeps its keys in order needs no pauses between them.
    bool ordered = false;

private:
    void add(std::string entry) {
        std::lock_guard lock(mutex);
        log.push_back(std::move(entry));
    }
};

class FakePickerOpener : public PickerOpener {
public:
    struct Shown {
        std::string query;
        int backspaces;
        std::optional<RunningApplication> target;
        view::Presentation mode;
    };
    void show(const std::string& query, int backspaces, std::optional<RunningApplication> target,
              view::Presentation mode) override {
        shown.push_back({query, backspaces, std::move(target), mode});
    }
    bool keyTypedWhileHolding(const KeyDown& key) override {
        typedWhileHolding.push_back(key);
        return takesHeldKeys;
    }
    bool gaveWay() const override { return gaveWayLast; }
    std::vector<Shown> shown;
    bool takesHeldKeys = true;
    bool gaveWayLast = false;
    std::vector<KeyDown> typedWhileHolding;
};

// A focused text element that answers from tables and records what it was asked.
class FakeFocusedElement : public FocusedElement {
public:
    std::optional<TextRange> selectedTextRange() override { return selection; }
    std::optional<Rect> boundsForRange(TextRange range) override {
        asked.push_back(range);
        const auto known = std::ranges::find(bounds, range, &std::pair<TextRange, Rect>::first);
        return known != bounds.end() ? std::optional(known->second) : std::nullopt;
    }

    bool isSecret() const override { return secret; }

    std::optional<TextRange> selection;
    std::vector<std::pair<TextRange, Rect>> bounds;
    std::vector<TextRange> asked;
    bool secret = false;
};

class FakeAccessibility : public AccessibilityProvider {
public:
    std::unique_ptr<FocusedElement> focusedElement() override {
        if (!element) {
            return nullptr;
        }
        return std::make_unique<Forwarder>(*element);
    }
    std::shared_ptr<FakeFocusedElement> element;

private:
    struct Forwarder : FocusedElement {
        explicit Forwarder(FakeFocusedElement& target) : target(target) {}
        std::optional<TextRange> selectedTextRange() override { return target.selectedTextRange(); }
        std::optional<Rect> boundsForRange(TextRange range) override {
            return target.boundsForRange(range);
        }
        bool isSecret() const override { return target.isSecret(); }
        FakeFocusedElement& target;
    };
};

class FakeTextInjector : public TextInjector {
public:
    struct Replace {
        int backspaces;
        std::string text;
        std::optional<RunningApplication> app;
    };
    void holdKeys() override { ++held; }
    void forwardKeys(const std::vector<KeyStroke>& keys) override {
        forwarded.insert(forwarded.end(), keys.begin(), keys.end());
    }
    void replace(int backspaces, std::string text, std::optional<RunningApplication> app) override {
        replaced.push_back({backspaces, std::move(text), std::move(app)});
    }
    void reactivate(std::optional<RunningApplication> app) override {
        reactivated.push_back(std::move(app));
    }
    int held = 0;
    std::vector<KeyStroke> forwarded;
    std::vector<Replace> replaced;
    std::vector<std::optional<RunningApplication>> reactivated;
};

class FakeScreens : public Screens {
public:
    std::vector<ScreenArea> screens() const override { return areas; }
    std::optional<std::size_t> mainScreen() const override { return std::nullopt; }
    Point mouseLocation() const override { return {}; }
    bool reduceMotion() const override { return reducedMotion; }

    std::vector<ScreenArea> areas;
    bool reducedMotion = false;
};

} // namespace tiklo::test
