// SPDX-License-Identifier: GPL-3.0-or-later
// Semicolon search through fcitx5 beside the program's own road, in one run on one private
// desktop (Xvfb, openbox, a session bus and the accessibility bus):
// - fcitx5 with Tiklo's addon serves a GTK 3 entry (GTK_IM_MODULE=fcitx);
// - the program (the real tiklo) serves a second GTK 3 entry that uses no input method, and
//   stands down while fcitx5 holds the first.
// Keys are pressed through XTEST from this process, as the user's keyboard would, and the
// clock starts when the key is sent:
// - ";" until a window comes on screen (fcitx5's candidate list, or the program's popup);
// - Return in a search for "fire" until the entry's text has become the emoji, as the entry
//   itself timestamps its last change on the clock every process shares.
#include "LatencySamples.h"
#include "XtestKeyboard.h"
#include "e2e/Fcitx5Process.h"
#include "e2e/TargetEntry.h"
#include "e2e/TikloDesktop.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/X11TestClient.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {

using namespace std::chrono_literals;
using tiklo::bench::Clock;
using tiklo::bench::millisecondsBetween;
using tiklo::bench::Samples;
using tiklo::bench::XtestKeyboard;
using tiklo::test::Fcitx5Process;
using tiklo::test::TargetEntry;

const std::string fire = "\U0001F525";

constexpr std::uint32_t semicolonKeysym = 0x3b;
constexpr std::uint32_t returnKeysym = 0xff0d;
constexpr std::uint32_t escapeKeysym = 0xff1b;

// The desktop, fcitx5 and the program, made once for every benchmark.
class Rig {
public:
    Rig() : desktop_({.initialText = "", .target = false}) {
        if (!desktop_.ready()) {
            error_ = desktop_.error();
            return;
        }
        fcitx5_ = std::make_unique<Fcitx5Process>(environment_, fcitxHome_.path());
        if (!fcitx5_->ready()) {
            error_ = fcitx5_->error();
            return;
        }
        if (!desktop_.startTikloListening()) {
            error_ = desktop_.error();
        }
    }

    const std::string& error() const { return error_; }
    XtestKeyboard& keyboard() { return keyboard_; }

    // An entry in front, served by fcitx5 or by the program; the other one closes first.
    TargetEntry* entry(bool throughFcitx5) {
        if (entry_ && throughFcitx5 == throughFcitx5_) {
            return entry_.get();
        }
        entry_.reset();
        // GTK would pick fcitx5 by itself while it runs: the other entry has GTK's own.
        environment_.set("GTK_IM_MODULE", throughFcitx5 ? "fcitx" : "gtk-im-context-simple");
        entry_ = std::make_unique<TargetEntry>("");
        throughFcitx5_ = throughFcitx5;
        const bool served =
            entry_->ready() &&
            (throughFcitx5 ? tiklo::test::TikloDesktop::waitUntilSearchServed(*entry_)
                           : programServes());
        if (!served) {
            entry_.reset();
        }
        return entry_.get();
    }

    // Types the prefix and waits for the program's popup; Escape closes it again.
    std::optional<double> programPopup() {
        // The entry has the focus back from the last popup.
        std::this_thread::sleep_for(300ms);
        keyboard_.forgetMaps();
        const std::optional<Clock::time_point> sent = keyboard_.press(semicolonKeysym);
        const std::optional<Clock::time_point> shown = keyboard_.waitForMap(5s);
        const bool active = desktop_.waitForActivePopup(5s).has_value();
        keyboard_.press(escapeKeysym);
        if (!sent || !shown || !active || !desktop_.waitForPopupHidden(5s)) {
            return std::nullopt;
        }
        return millisecondsBetween(*sent, *shown);
    }

    // ";fire" typed, the popup or the candidates given time to settle, then Return: until the
    // entry holds the emoji.
    std::optional<double> insertion(TargetEntry& entry, bool throughFcitx5) {
        entry.setText("");
        if (!tiklo::test::TikloDesktop::type(";fire") ||
            (!throughFcitx5 && !desktop_.waitForActivePopup(5s).has_value())) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(300ms);
        const std::optional<Clock::time_point> sent = keyboard_.press(returnKeysym);
        if (!sent || entry.waitForText(fire, 5s) != fire) {
            return std::nullopt;
        }
        if (!throughFcitx5 && !desktop_.waitForPopupHidden(5s)) {
            return std::nullopt;
        }
        const std::optional<Clock::time_point> changed = entry.lastChange();
        return changed ? std::optional<double>(millisecondsBetween(*sent, *changed)) : std::nullopt;
    }

private:
    // The program answers the prefix in the entry; tried until it does, the text taken back.
    bool programServes() {
        for (int attempt = 0; attempt < 20; ++attempt) {
            if (programPopup() && entry_->setText("")) {
                return true;
            }
            entry_->setText("");
        }
        return false;
    }

    tiklo::test::TikloDesktop desktop_;
    tiklo::test::ScopedEnvironment environment_;
    tiklo::test::TempDir fcitxHome_;
    std::unique_ptr<Fcitx5Process> fcitx5_;
    XtestKeyboard keyboard_;
    std::unique_ptr<TargetEntry> entry_;
    bool throughFcitx5_ = false;
    std::string error_;
};

Rig& rig() {
    static Rig instance;
    return instance;
}

// ";" until fcitx5's candidate list is on screen; Escape gives the ";" back.
void fcitx5Candidates(benchmark::State& state) {
    TargetEntry* entry = rig().error().empty() ? rig().entry(true) : nullptr;
    if (entry == nullptr) {
        state.SkipWithError(("no fcitx5 entry: " + rig().error()).c_str());
        return;
    }
    XtestKeyboard& keyboard = rig().keyboard();
    Samples samples(state, 1000.0, "ms");
    for (auto _ : state) {
        entry->setText("");
        keyboard.forgetMaps();
        const std::optional<Clock::time_point> sent = keyboard.press(semicolonKeysym);
        const std::optional<Clock::time_point> shown = keyboard.waitForMap(5s);
        keyboard.press(escapeKeysym);
        if (!sent || !shown || entry->waitForText(";", 5s) != ";") {
            state.SkipWithError("no candidate list");
            break;
        }
        samples.add(millisecondsBetween(*sent, *shown));
        std::this_thread::sleep_for(100ms);
    }
}

// Return until the emoji is in the entry, through fcitx5's commit.
void fcitx5Insertion(benchmark::State& state) {
    TargetEntry* entry = rig().error().empty() ? rig().entry(true) : nullptr;
    if (entry == nullptr) {
        state.SkipWithError(("no fcitx5 entry: " + rig().error()).c_str());
        return;
    }
    Samples samples(state, 1000.0, "ms");
    for (auto _ : state) {
        const std::optional<double> inserted = rig().insertion(*entry, true);
        if (!inserted) {
            state.SkipWithError("the emoji did not arrive");
            break;
        }
        samples.add(*inserted);
    }
}

// The same ";" in an entry the program serves: until its popup is on screen.
void programPopup(benchmark::State& state) {
    TargetEntry* entry = rig().error().empty() ? rig().entry(false) : nullptr;
    if (entry == nullptr) {
        state.SkipWithError(("no entry for the program: " + rig().error()).c_str());
        return;
    }
    Samples samples(state, 1000.0, "ms");
    for (auto _ : state) {
        entry->setText("");
        const std::optional<double> shown = rig().programPopup();
        if (!shown) {
            state.SkipWithError("no popup");
            break;
        }
        samples.add(*shown);
        std::this_thread::sleep_for(100ms);
    }
}

// Return in the program's popup until the emoji is in the entry, typed through XTEST.
void programInsertion(benchmark::State& state) {
    TargetEntry* entry = rig().error().empty() ? rig().entry(false) : nullptr;
    if (entry == nullptr) {
        state.SkipWithError(("no entry for the program: " + rig().error()).c_str());
        return;
    }
    Samples samples(state, 1000.0, "ms");
    for (auto _ : state) {
        const std::optional<double> inserted = rig().insertion(*entry, false);
        if (!inserted) {
            state.SkipWithError("the emoji did not arrive");
            break;
        }
        samples.add(*inserted);
    }
}

BENCHMARK(fcitx5Candidates)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(programPopup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(fcitx5Insertion)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(programInsertion)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

} // namespace

BENCHMARK_MAIN();
