// SPDX-License-Identifier: GPL-3.0-or-later
// Semicolon search through IBus, beside IBus's own emoji typing, in one run on one private
// desktop (Xvfb, openbox, a session bus): ibus-daemon with its XIM server, its own GTK
// candidate panel and emoji extension, the engine from the build tree, and a GTK 3 entry that
// talks to the daemon (GTK_IM_MODULE=ibus). Keys are pressed through XTEST from this process,
// as the user's keyboard would, and the clock starts when the key is sent:
// - ";f" with the engine "tiklo": the "f" until the panel's candidate window is on screen;
// - Return in a search for "fire" until the entry's text has become the emoji, as the entry
//   itself timestamps its last change on the clock every process shares;
// - Return in IBus's own emoji typing (Super+period, "fire", Space, Space) until the entry
//   holds an emoji, with an xkb engine;
// - in that typing, the second Space, which shows the candidate list, until it is on screen.
// The memory of the engine's process beside that of IBus's panel and emoji extension follows,
// with the candidates open and after.
// Then the price of a key the engine passes on, asked of the same daemon by an input context
// of this process: a press and release of 'a' with "tiklo" against the plain xkb engine.
#include "LatencySamples.h"
#include "ProcessMemory.h"
#include "XtestKeyboard.h"
#include "e2e/TargetEntry.h"
#include "e2e/TikloDesktop.h"
#include "support/ChildProcess.h"
#include "support/Poll.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/X11TestClient.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>
#include <ibus.h>
#include <nlohmann/json.hpp>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {

using namespace std::chrono_literals;
using tiklo::bench::Clock;
using tiklo::bench::millisecondsBetween;
using tiklo::bench::ProcessMemory;
using tiklo::bench::Samples;
using tiklo::bench::XtestKeyboard;
using tiklo::test::TargetEntry;
using tiklo::test::TikloDesktop;

const std::string fire = "\U0001F525";

constexpr const char* tikloEngine = "tiklo";
constexpr const char* plainEngine = "xkb:us::eng";
// The window class of ibus-ui-gtk3's windows; its candidate list is an override-redirect one.
constexpr const char* panelClass = "ibus-ui-gtk3";
// Where Debian and Fedora install the panel; the daemon is told it outright.
constexpr const char* panelProgram = "/usr/libexec/ibus-ui-gtk3";

constexpr std::uint32_t semicolonKeysym = 0x3b;
constexpr std::uint32_t returnKeysym = 0xff0d;
constexpr std::uint32_t escapeKeysym = 0xff1b;
constexpr std::uint32_t spaceKeysym = 0x20;
constexpr std::uint32_t fKeysym = 0x66;
// 'a' as IBus clients report it: keysym and evdev code.
constexpr guint aKeyval = IBUS_KEY_a;
constexpr guint aCode = 30;
// Keys the engine meets before the timing, so that the first timed ones pay no start-up.
constexpr int warmUpKeys = 50;

// Whether `current` (a floating description, or none) is the engine named `engine`.
bool names(IBusEngineDesc* current, const char* engine) {
    if (current == nullptr) {
        return false;
    }
    g_object_ref_sink(current);
    const bool same = std::string(ibus_engine_desc_get_name(current)) == engine;
    g_object_unref(current);
    return same;
}

// Polls the entry until it holds an emoji (no ASCII at all), or the time is up.
std::optional<std::string> waitForEmoji(TargetEntry& entry, std::chrono::milliseconds timeout) {
    return tiklo::test::pollFor(
        [&]() -> std::optional<std::string> {
            const std::string text = entry.text().value_or("");
            const bool emoji = !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
                return static_cast<unsigned char>(c) < 0x80;
            });
            return emoji ? std::optional<std::string>(text) : std::nullopt;
        },
        timeout);
}

// The desktop, ibus-daemon with its panel, the entry it serves and a client of this process,
// made once for every benchmark.
class Rig {
public:
    Rig() : desktop_({.accessibility = false, .initialText = "", .target = false}) {
        if (!desktop_.ready()) {
            error_ = desktop_.error();
            return;
        }
        if (tiklo::test::ChildProcess::run({"ibus-daemon", "--version"}).status != 0 ||
            !std::filesystem::exists(panelProgram)) {
            error_ = std::string("ibus-daemon or ") + panelProgram + " is not installed";
            return;
        }
        // The daemon, its panel, its settings and the entry see only this folder; the daemon
        // publishes its address in the file named here instead of the user's.
        const std::filesystem::path home = home_.path();
        environment_.set("HOME", home.string());
        environment_.set("XDG_CACHE_HOME", (home / "cache").string());
        environment_.set("XDG_DATA_HOME", (home / "data").string());
        environment_.set("IBUS_ADDRESS", std::nullopt);
        // The desktop has no accessibility bus for the entry to look for.
        environment_.set("NO_AT_BRIDGE", "1");
        environment_.set("IBUS_ADDRESS_FILE", home_.file("ibus-address"));
        // The list replaces the daemon's own folder, which brings the panel, the emoji
        // extension and the xkb engines.
        environment_.set("IBUS_COMPONENT_PATH", std::string(TIKLO_IBUS_COMPONENT_DIR) +
                                                    G_SEARCHPATH_SEPARATOR_S +
                                                    "/usr/share/ibus/component");
        daemon_ = std::make_unique<tiklo::test::ChildProcess>(
            std::vector<std::string>{"ibus-daemon", "--xim", std::string("--panel=") + panelProgram,
                                     "--cache=none"},
            tiklo::test::ChildProcess::Options{.output = tiklo::test::ChildProcess::Stream::discard,
                                               .errors =
                                                   tiklo::test::ChildProcess::Stream::discard});
        ibus_init();
        bus_ = ibus_bus_new();
        const bool up = tiklo::test::pollFor(
            [&] {
                g_main_context_iteration(nullptr, FALSE);
                return ibus_bus_is_connected(bus_) != FALSE &&
                       ibus_bus_name_has_owner(bus_, IBUS_SERVICE_PANEL) != FALSE &&
                       ibus_bus_name_has_owner(bus_, IBUS_SERVICE_PANEL_EXTENSION_EMOJI) != FALSE;
            },
            20s, 50ms);
        if (!up) {
            error_ = "ibus-daemon did not come up with its panel and emoji extension";
            return;
        }
        environment_.set("GTK_IM_MODULE", "ibus");
        entry_ = std::make_unique<TargetEntry>("");
        if (!entry_->ready()) {
            error_ = "the entry did not come up with the keyboard";
            entry_.reset();
        }
    }

    ~Rig() {
        if (context_ != nullptr) {
            g_object_unref(context_);
        }
        if (bus_ != nullptr) {
            g_object_unref(bus_);
        }
    }

    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    const std::string& error() const { return error_; }
    XtestKeyboard& keyboard() { return keyboard_; }

    // The entry, with `engine` serving it: it has typed its way through once.
    TargetEntry* entry(const char* engine) {
        // Once this process's context has the daemon's focus, the entry is served no more.
        if (!error_.empty() || !entry_ || context_ != nullptr) {
            return nullptr;
        }
        if (entryEngine_ == engine) {
            return entry_.get();
        }
        entryEngine_.clear();
        const bool served =
            setGlobalEngine(engine) &&
            (std::string(engine) == tikloEngine ? searchServed() : emojiTypingServed());
        if (!served || !entry_->setText("")) {
            return nullptr;
        }
        entryEngine_ = engine;
        return entry_.get();
    }

    // IBus's own emoji typing for "fire", Return left to press; false when a key could not
    // be sent.
    static bool typeEmojiSearch() {
        return typeEmojiWord() && TikloDesktop::key("space") && TikloDesktop::key("space");
    }
    // The same up to "fire", before the Space that shows the candidates.
    static bool typeEmojiWord() {
        if (!TikloDesktop::key("super+period")) {
            return false;
        }
        // The extension takes the keys once it has shown that it types.
        std::this_thread::sleep_for(100ms);
        return TikloDesktop::type("fire");
    }

    // An input context of this process, focused, that `engine` serves; it took a few keys.
    IBusInputContext* clientContext(const char* engine) {
        if (!error_.empty()) {
            return nullptr;
        }
        if (context_ == nullptr) {
            context_ = ibus_bus_create_input_context(bus_, "ibus_latency_bench");
            if (context_ == nullptr) {
                return nullptr;
            }
            ibus_input_context_set_capabilities(
                context_, IBUS_CAP_PREEDIT_TEXT | IBUS_CAP_LOOKUP_TABLE | IBUS_CAP_FOCUS);
            // The entry loses the daemon's focus to this context for good: the benchmarks on
            // the desktop come first.
            ibus_input_context_focus_in(context_);
            entryEngine_.clear();
        }
        if (contextEngine_ == engine) {
            return context_;
        }
        contextEngine_.clear();
        ibus_input_context_set_engine(context_, engine);
        const bool running = tiklo::test::pollFor(
            [&] {
                drainSignals();
                return names(ibus_input_context_get_engine(context_), engine);
            },
            10s);
        if (!running) {
            return nullptr;
        }
        for (int key = 0; key < warmUpKeys; ++key) {
            ibus_input_context_process_key_event(context_, aKeyval, aCode, 0);
            ibus_input_context_process_key_event(context_, aKeyval, aCode, IBUS_RELEASE_MASK);
        }
        drainSignals();
        contextEngine_ = engine;
        return context_;
    }

    bool panelRuns() const {
        return bus_ != nullptr && ibus_bus_name_has_owner(bus_, IBUS_SERVICE_PANEL) != FALSE;
    }

    // Whatever the daemon sent the context meanwhile: nothing piles up between keys.
    static void drainSignals() {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
    }

private:
    bool setGlobalEngine(const char* engine) {
        if (ibus_bus_set_global_engine(bus_, engine) == FALSE) {
            return false;
        }
        return tiklo::test::pollFor([&] { return names(ibus_bus_get_global_engine(bus_), engine); },
                                    10s);
    }

    // The entry reaches the engine some time after the switch; until then a search is plain
    // text. ";fire" Return is typed until it inserts.
    bool searchServed() {
        return tiklo::test::pollFor(
            [&] {
                entry_->setText("");
                TikloDesktop::type(";fire\n");
                return entry_->waitForText(fire, 1s) == fire;
            },
            15s, 100ms);
    }

    // IBus's emoji typing loads its dictionary in the background: tried until an emoji comes.
    bool emojiTypingServed() {
        return tiklo::test::pollFor(
            [&] {
                entry_->setText("");
                if (typeEmojiSearch() && TikloDesktop::key("Return") && waitForEmoji(*entry_, 2s)) {
                    return true;
                }
                // Whatever mode a half-typed try left behind ends.
                TikloDesktop::key("Escape");
                return false;
            },
            20s, 200ms);
    }

    TikloDesktop desktop_;
    tiklo::test::ScopedEnvironment environment_;
    tiklo::test::TempDir home_;
    std::unique_ptr<tiklo::test::ChildProcess> daemon_;
    IBusBus* bus_ = nullptr;
    IBusInputContext* context_ = nullptr;
    XtestKeyboard keyboard_;
    std::unique_ptr<TargetEntry> entry_;
    std::string entryEngine_;
    std::string contextEngine_;
    std::string error_;
};

Rig& rig() {
    static Rig instance;
    return instance;
}

// The entry Tiklo's engine serves; nothing, and the benchmark skipped, when there is none.
TargetEntry* entryServedByTiklo(benchmark::State& state) {
    TargetEntry* entry = rig().entry(tikloEngine);
    if (entry == nullptr) {
        state.SkipWithError(("no entry served by the engine: " + rig().error()).c_str());
    }
    return entry;
}

// ";", then "f" until the panel's candidate window is on screen: the list shows with the first
// key of a search. Escape leaves what was typed.
void ibusCandidates(benchmark::State& state) {
    TargetEntry* entry = entryServedByTiklo(state);
    if (entry == nullptr) {
        return;
    }
    XtestKeyboard& keyboard = rig().keyboard();
    Samples samples(state, 1000.0, "ms", false);
    for (auto _ : state) {
        entry->setText("");
        keyboard.press(semicolonKeysym);
        // Well within the pause after which ";" alone shows the list.
        std::this_thread::sleep_for(100ms);
        keyboard.forgetMaps();
        const std::optional<Clock::time_point> sent = keyboard.press(fKeysym);
        const std::optional<Clock::time_point> shown = keyboard.waitForMap(5s, panelClass);
        keyboard.press(escapeKeysym);
        // What was typed comes back whether or not the list showed; a late key would join the
        // next search.
        const std::string left = entry->waitForText(";f", 5s);
        if (!sent || !shown) {
            state.SkipWithError(rig().panelRuns() ? "no candidate window within 5 s"
                                                  : "no candidate window: the panel has gone");
            break;
        }
        if (left != ";f") {
            state.SkipWithError(
                ("Escape left " + nlohmann::json(left).dump() + ", not \";f\"").c_str());
            break;
        }
        samples.add(millisecondsBetween(*sent, *shown));
        std::this_thread::sleep_for(100ms);
    }
    entry->setText("");
}

// ";fire" typed, the candidates given time to settle, then Return: until the entry holds 🔥.
void ibusInsertion(benchmark::State& state) {
    TargetEntry* entry = entryServedByTiklo(state);
    if (entry == nullptr) {
        return;
    }
    XtestKeyboard& keyboard = rig().keyboard();
    Samples samples(state, 1000.0, "ms", false);
    for (auto _ : state) {
        entry->setText("");
        if (!TikloDesktop::type(";fire")) {
            state.SkipWithError("could not type the search");
            break;
        }
        std::this_thread::sleep_for(300ms);
        const std::optional<Clock::time_point> sent = keyboard.press(returnKeysym);
        const std::string arrived = entry->waitForText(fire, 5s);
        const std::optional<Clock::time_point> changed = entry->lastChange();
        if (!sent || arrived != fire || !changed || *changed < *sent) {
            state.SkipWithError(
                ("the emoji did not arrive; the entry holds " + nlohmann::json(arrived).dump())
                    .c_str());
            break;
        }
        samples.add(millisecondsBetween(*sent, *changed));
    }
    entry->setText("");
}

// IBus's own emoji typing with the xkb engine: Super+period, "fire", Space, Space, then
// Return until the entry holds an emoji, whichever it is.
void ibusEmojiInsertion(benchmark::State& state) {
    TargetEntry* entry = rig().entry(plainEngine);
    if (entry == nullptr) {
        state.SkipWithError(
            ("IBus's emoji typing put no emoji into the entry: " + rig().error()).c_str());
        return;
    }
    XtestKeyboard& keyboard = rig().keyboard();
    Samples samples(state, 1000.0, "ms", false);
    std::string arrived;
    for (auto _ : state) {
        entry->setText("");
        if (!Rig::typeEmojiSearch()) {
            state.SkipWithError("could not type the emoji search");
            break;
        }
        std::this_thread::sleep_for(300ms);
        const std::optional<Clock::time_point> sent = keyboard.press(returnKeysym);
        const std::optional<std::string> emoji = waitForEmoji(*entry, 5s);
        const std::optional<Clock::time_point> changed = entry->lastChange();
        if (!sent || !emoji || !changed || *changed < *sent) {
            state.SkipWithError("no emoji arrived");
            break;
        }
        arrived = *emoji;
        samples.add(millisecondsBetween(*sent, *changed));
    }
    entry->setText("");
    // What IBus chose for "fire", in the report.
    state.SetLabel(arrived);
}

// IBus's own emoji typing: "fire", Space, then the second Space, which brings its candidate
// list, until the list is on screen.
void ibusEmojiCandidates(benchmark::State& state) {
    TargetEntry* entry = rig().entry(plainEngine);
    if (entry == nullptr) {
        state.SkipWithError(
            ("IBus's emoji typing put no emoji into the entry: " + rig().error()).c_str());
        return;
    }
    XtestKeyboard& keyboard = rig().keyboard();
    Samples samples(state, 1000.0, "ms", false);
    for (auto _ : state) {
        // The typing may not take the first keys after the last choice; tried until it takes
        // the word, which then stays out of the entry's text.
        const bool typing = tiklo::test::pollFor(
            [&] {
                entry->setText("");
                if (Rig::typeEmojiWord() && entry->waitForText("", 300ms).empty()) {
                    return true;
                }
                TikloDesktop::key("Escape");
                return false;
            },
            10s, 200ms);
        if (!typing) {
            state.SkipWithError("the emoji typing did not take the word");
            break;
        }
        // The first Space takes the word; nothing comes on screen for it.
        keyboard.press(spaceKeysym);
        std::this_thread::sleep_for(1s);
        keyboard.forgetMaps();
        const std::optional<Clock::time_point> sent = keyboard.press(spaceKeysym);
        const std::optional<Clock::time_point> shown = keyboard.waitForMap(5s);
        // Chosen, which ends the typing.
        TikloDesktop::key("Return");
        waitForEmoji(*entry, 2s);
        if (!sent || !shown) {
            state.SkipWithError("no candidate window within 5 s");
            break;
        }
        samples.add(millisecondsBetween(*sent, *shown));
        std::this_thread::sleep_for(200ms);
    }
    entry->setText("");
}

// The memory of the engine's process, and of IBus's panel and emoji extension, while the
// candidates of each are open and a moment after they closed.
void ibusMemory(benchmark::State& state) {
    TargetEntry* entry = entryServedByTiklo(state);
    if (entry == nullptr) {
        return;
    }
    const auto record = [&](const char* program, const std::string& name) {
        if (const std::optional<ProcessMemory> memory = ProcessMemory::ofProgram(program)) {
            state.counters[name + "_pss_MB"] = memory->proportional;
            state.counters[name + "_rss_MB"] = memory->resident;
        }
    };
    for (auto _ : state) {
        entry->setText("");
        TikloDesktop::type(";fire");
        std::this_thread::sleep_for(1s);
        record("tiklo-ibus", "engine_open");
        TikloDesktop::key("Escape");
        std::this_thread::sleep_for(3s);
        record("tiklo-ibus", "engine_after");
        entry = rig().entry(plainEngine);
        if (entry == nullptr || !Rig::typeEmojiSearch()) {
            state.SkipWithError("IBus's emoji typing did not start");
            return;
        }
        std::this_thread::sleep_for(1s);
        record("ibus-extension-gtk3", "ibus_emoji_open");
        record("ibus-ui-gtk3", "ibus_panel_open");
        // Chosen, as the insertion that follows leaves it.
        TikloDesktop::key("Return");
        waitForEmoji(*entry, 2s);
        std::this_thread::sleep_for(3s);
        record("ibus-extension-gtk3", "ibus_emoji_after");
        entry->setText("");
    }
}

// One press and release of 'a' that the engine passes on, answered by the daemon, an iteration
// each.
void passThrough(benchmark::State& state, const char* engine) {
    IBusInputContext* context = rig().clientContext(engine);
    if (context == nullptr) {
        state.SkipWithError(
            (std::string("no input context served by ") + engine + ": " + rig().error()).c_str());
        return;
    }
    Samples samples(state, 1e6, "us", true);
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const gboolean pressTaken =
            ibus_input_context_process_key_event(context, aKeyval, aCode, 0);
        ibus_input_context_process_key_event(context, aKeyval, aCode, IBUS_RELEASE_MASK);
        const Clock::time_point answered = Clock::now();
        if (pressTaken != FALSE) {
            state.SkipWithError("the engine took 'a'");
            break;
        }
        samples.add(std::chrono::duration<double, std::micro>(answered - start).count());
    }
    Rig::drainSignals();
}

void passThroughTiklo(benchmark::State& state) {
    passThrough(state, tikloEngine);
}

void passThroughPlain(benchmark::State& state) {
    passThrough(state, plainEngine);
}

// The desktop ones come first: the client context takes the daemon's focus from the entry.
BENCHMARK(ibusCandidates)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(ibusInsertion)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
// The memory with the engine's last, then with IBus's emoji typing.
BENCHMARK(ibusMemory)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(ibusEmojiInsertion)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(ibusEmojiCandidates)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(passThroughTiklo)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(passThroughPlain)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(1000);

} // namespace

int main(int argc, char** argv) {
    // A helper that died shows as a failed write and a skipped benchmark, not as this
    // process's silent end.
    std::signal(SIGPIPE, SIG_IGN);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
