// SPDX-License-Identifier: GPL-3.0-or-later
// What the running program costs in memory, on a private desktop with real keys: idle after its
// preparation at start, with the popup of ";f" open, with the full picker open, and after both
// closed again. Proportional set size (shared libraries counted in part) and resident size,
// in megabytes.
#include "ProcessMemory.h"
#include "e2e/TikloDesktop.h"

#include <chrono>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>

namespace {

using namespace std::chrono_literals;
using tiklo::bench::ProcessMemory;
using tiklo::test::TikloDesktop;

// Longer than the program's preparation waits after start (3 s, then a pause in typing).
constexpr auto preparation = 6s;
// A window's first frames, and the memory they take, are done by then.
constexpr auto shown = 1s;

void memory(benchmark::State& state) {
    for (auto _ : state) {
        TikloDesktop desktop({});
        if (!desktop.startTikloListening()) {
            state.SkipWithError(desktop.error().c_str());
            return;
        }
        const auto record = [&](const std::string& name) {
            const std::optional<ProcessMemory> memory = ProcessMemory::of(desktop.tikloPid());
            if (!memory) {
                state.SkipWithError("tiklo is gone");
                return false;
            }
            state.counters[name + "_pss_MB"] = memory->proportional;
            state.counters[name + "_rss_MB"] = memory->resident;
            return true;
        };
        std::this_thread::sleep_for(preparation);
        if (!record("idle")) {
            return;
        }
        if (!desktop.trigger(10s) || !TikloDesktop::type("f")) {
            state.SkipWithError("no popup");
            return;
        }
        std::this_thread::sleep_for(shown);
        if (!record("popup")) {
            return;
        }
        TikloDesktop::key("Escape");
        desktop.waitForPopupHidden();
        desktop.waitForTargetActive();
        if (!TikloDesktop::key("ctrl+alt+e") || !desktop.waitForActivePopup()) {
            state.SkipWithError("no full picker");
            return;
        }
        std::this_thread::sleep_for(shown);
        if (!record("full_picker")) {
            return;
        }
        TikloDesktop::key("Escape");
        desktop.waitForPopupHidden();
        std::this_thread::sleep_for(preparation);
        record("after_closing");
    }
}

BENCHMARK(memory)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
