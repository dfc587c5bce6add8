// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/TextInjector.h"
#include "platform/ApplicationActivator.h"
#include "platform/KeyPoster.h"
#include "platform/KeyboardHold.h"
#include "platform/MainThreadExecutor.h"
#include "platform/RunningApplication.h"
#include "platform/Sleeper.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace tiklo {

// Puts text into another application: brings it to the front, deletes the characters that
// semicolon search left there, and types the text as keyboard events. The work runs on one
// serial worker thread, so callers never wait and two insertions never interleave.
//
// From the call until the text is typed, the user's keys are held, and typed after it: the
// keys someone types on right after choosing land after the emoji, in order, and a Delete
// never removes one of them instead of the prefix.
class Injector : public TextInjector {
public:
    // Deletes the character before the caret.
    static constexpr KeySym deleteKey = keysym::backSpace;
    // The target must hold the keyboard before anything is typed, and have taken it in: as
    // soon as it has. A window manager slow to give it the focus is waited for up to
    // `focusTimeout`; an application that never tells it took it in, up to `answerTimeout`
    // more. Typing into another window meanwhile would put the Delete in the wrong place.
    static constexpr std::chrono::milliseconds focusTimeout{1000};
    static constexpr std::chrono::milliseconds answerTimeout{180};
    // Without a target to wait for, the pause before typing (microseconds).
    static constexpr std::uint32_t pauseWithoutTarget = 180000;
    // How long the user may keep holding Control, Alt or Super after choosing before Tiklo
    // lets go of them itself.
    static constexpr std::chrono::milliseconds modifierTimeout{1000};
    // After each key, for a poster that does not keep the keys in order itself (microseconds).
    static constexpr std::uint32_t pauseAfterDelete = 2000;
    static constexpr std::uint32_t pauseAfterLastDelete = 3000;
    static constexpr std::uint32_t pauseAfterChunk = 1500;
    static constexpr std::size_t chunkCodeUnits = 20;

    Injector(KeyPoster& poster, ApplicationActivator& activator, KeyboardHold& hold,
             MainThreadExecutor& mainThread, Sleeper& sleeper);
    // Lets the job under way finish and drops the rest, then stops the worker.
    ~Injector() override;
    Injector(const Injector&) = delete;
    Injector& operator=(const Injector&) = delete;

    // All return at once; the work is queued in order. Main thread.
    void holdKeys() override;
    void forwardKeys(const std::vector<KeyStroke>& keys) override;
    void replace(int backspaces, std::string text, std::optional<RunningApplication> app) override;
    void reactivate(std::optional<RunningApplication> app) override;

    // Blocks until everything queued so far is done. Not from the main thread while work
    // still needs it.
    void waitUntilIdle();

    // Line breaks as typed: CR LF and lone LF both become CR.
    static std::u16string typedUnits(const std::string& text);

private:
    // Queues `job` with the user's keys held until it and every job queued after it are done.
    void enqueueHeld(std::function<void()> job);
    void run();
    void activate(const std::optional<RunningApplication>& app);
    void awaitTarget(const std::optional<RunningApplication>& app);
    void sendBackspaces(int count);
    void typeText(const std::string& text);

    KeyPoster& poster_;
    ApplicationActivator& activator_;
    KeyboardHold& hold_;
    MainThreadExecutor& mainThread_;
    Sleeper& sleeper_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::function<void()>> jobs_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread worker_;
};

} // namespace tiklo
