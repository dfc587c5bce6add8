// SPDX-License-Identifier: GPL-3.0-or-later
// The work Tiklo does for every key the user types anywhere: from the raw XInput event, as
// the native event filter receives it, through the keyboard monitor (ledger check, key
// and its modifiers, characters) to the trigger decision. It must stay well under 20 µs.
#include "input/TriggerEngine.h"
#include "platform/linux/SyntheticEventLedger.h"
#include "platform/linux/X11KeyboardMonitor.h"

#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

using namespace tiklo;

// evdev keycodes, as X numbers them.
constexpr std::uint32_t semicolonKey = 47;
constexpr std::uint32_t aKey = 38;

struct KeymapDeleter {
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};

std::unique_ptr<xkb_keymap, KeymapDeleter> usKeymap() {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    const xkb_rule_names names{"evdev", "pc105", "us", nullptr, nullptr};
    std::unique_ptr<xkb_keymap, KeymapDeleter> keymap(
        xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    xkb_context_unref(context);
    return keymap;
}

xcb_input_raw_key_press_event_t rawKeyPress(std::uint32_t keycode) {
    xcb_input_raw_key_press_event_t event{};
    event.response_type = XCB_GE_GENERIC;
    event.event_type = XCB_INPUT_RAW_KEY_PRESS;
    event.deviceid = 3; // the core keyboard
    event.sourceid = 8;
    event.detail = keycode;
    return event;
}

void keyToDecision(benchmark::State& state, std::uint32_t keycode, std::size_t ledgerEntries) {
    const auto keymap = usKeymap();
    if (!keymap) {
        state.SkipWithError("no XKB keymap data");
        return;
    }
    SyntheticEventLedger ledger;
    X11KeyboardMonitor monitor(nullptr, XCB_WINDOW_NONE, ledger);
    monitor.useKeymap(keymap.get());
    // While Tiklo types, the ledger holds its keys; the user's key must pass them by.
    for (std::size_t i = 0; i < ledgerEntries; ++i) {
        ledger.append(200, i % 2 == 0);
    }
    const std::vector<std::string> excluded{"org.keepassxc.KeePassXC", "com.1password.1password"};
    const xcb_input_raw_key_press_event_t event = rawKeyPress(keycode);

    benchmark::IterationCount triggers = 0;
    for (auto _ : state) {
        const std::optional<KeyDown> key = monitor.keyDownFor(event);
        TriggerEngine::Input input;
        input.masterEnabled = true;
        input.frontmostAppID = "org.gnome.TextEditor";
        input.ownAppID = "io.tiklo.Tiklo";
        input.excludedAppIDs = &excluded;
        input.modifiers = key->key.modifiers;
        input.charactersIgnoringModifiers = key->charactersIgnoringModifiers;
        input.triggerPrefix = ";";
        const std::optional<int> decision = TriggerEngine::decide(input);
        triggers += decision.has_value() ? 1 : 0;
        benchmark::DoNotOptimize(decision);
    }
    if (keycode == semicolonKey && triggers != state.iterations()) {
        state.SkipWithError("the semicolon did not trigger");
    }
}

void BM_SemicolonToTriggerDecision(benchmark::State& state) {
    keyToDecision(state, semicolonKey, 0);
}
void BM_LetterToTriggerDecision(benchmark::State& state) {
    keyToDecision(state, aKey, 0);
}
void BM_SemicolonWhileTiklosKeysArePending(benchmark::State& state) {
    keyToDecision(state, semicolonKey, 40);
}

BENCHMARK(BM_SemicolonToTriggerDecision)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_LetterToTriggerDecision)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_SemicolonWhileTiklosKeysArePending)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
