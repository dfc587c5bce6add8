// SPDX-License-Identifier: GPL-3.0-or-later
// The inline popup from the trigger key to a window the user can type into, on a private
// Xvfb with openbox: the program's own runtime over the Linux platform, the trigger fed to
// TriggerEngine as the keyboard monitor would feed it while a plain window of another X
// client is in front, and the clock stopped once the popup is exposed, active, holds
// results and has rendered a frame. Warm popups run in this process; each cold one is a
// fresh process (this program again, in its child mode) that builds the catalog and loads
// the QML on the way.
//
// The insertion is timed the same way, from the choice (Return in the popup) until the
// emoji has been typed into a Qt text field of another process and that application has
// answered a ping sent after it: read, not only sent.
//
// A popup that gives way (a ";" typed as punctuation) is timed from the key that ends the
// search until the text given back, and that key, are in the text field.
//
// The full picker of the hotkey is timed likewise, from the hotkey's action to the window
// active with its first rows drawn; then a key typed into its search field until the new
// results are drawn, and the whole "All emoji" grid scrolled a row at a time, each frame
// timed.
#include "LatencySamples.h"
#include "catalog/EmojiCatalog.h"
#include "platform/linux/LinuxPlatform.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"
#include "support/TextFieldProcess.h"
#include "support/X11TestClient.h"
#include "support/XvfbSession.h"
#include "ui/QuickPickerPanel.h"
#include "ui/TikloRuntime.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include <QApplication>
#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickView>
#include <QQuickWindow>
#include <QTimer>
#include <QtPlugin>
#include <QtQml/qqmlextensionplugin.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

Q_IMPORT_QML_PLUGIN(Tiklo_AppPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_SessionPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_ThemePlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_PickerPlugin)

namespace {

using namespace tiklo;
using Clock = std::chrono::steady_clock;

constexpr const char* coldFlag = "--cold-popup-once";
// The same, after the program's preparation in the background ran (catalog and window).
constexpr const char* preparedFlag = "--prepared-popup-once";
// The same two for the full picker.
constexpr const char* coldFullFlag = "--cold-full-picker-once";
constexpr const char* preparedFullFlag = "--prepared-full-picker-once";
constexpr const char* applicationID = "io.tiklo.Tiklo";
constexpr auto waitLimit = std::chrono::seconds(10);
// The ";" key, as the keyboard monitor reports it.
constexpr KeySym semicolon = ';';

using tiklo::bench::millisecondsBetween;
using tiklo::bench::percentile;

// VmRSS of this process, in megabytes; 0 when unreadable.
double residentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
        }
    }
    return 0;
}

// Milliseconds from the trigger to each milestone of one popup.
struct PopupTiming {
    bool complete = false;
    double handled = 0; // TriggerEngine::handleKeyDown returned
    double caret = 0;   // spent asking for the caret, within `handled`
    double panel = 0;   // spent making the window (QML load), within `handled`
    double exposed = 0;
    double active = 0;
    double frame = 0; // first frame swapped after the show
    double ready = 0; // all of the above, with results in the model
};

// Where the synchronous part of a warm popup goes, timed again while the popup is shown.
struct RefreshTiming {
    double search = 0;  // the catalog's ranked search for the empty query
    double refresh = 0; // the session's refresh: that search, the model and the list view
};

// Times what the caret costs: every call into the accessibility layer.
class TimedAccessibility : public AccessibilityProvider {
public:
    TimedAccessibility(AccessibilityProvider& inner, double& milliseconds)
        : inner_(inner), milliseconds_(milliseconds) {}

    std::unique_ptr<FocusedElement> focusedElement() override {
        const auto start = Clock::now();
        std::unique_ptr<FocusedElement> element = inner_.focusedElement();
        milliseconds_ += millisecondsBetween(start, Clock::now());
        return element ? std::make_unique<Element>(std::move(element), milliseconds_) : nullptr;
    }

private:
    class Element : public FocusedElement {
    public:
        Element(std::unique_ptr<FocusedElement> inner, double& milliseconds)
            : inner_(std::move(inner)), milliseconds_(milliseconds) {}
        std::optional<TextRange> selectedTextRange() override {
            const auto start = Clock::now();
            const std::optional<TextRange> range = inner_->selectedTextRange();
            milliseconds_ += millisecondsBetween(start, Clock::now());
            return range;
        }
        std::optional<Rect> boundsForRange(TextRange range) override {
            const auto start = Clock::now();
            const std::optional<Rect> bounds = inner_->boundsForRange(range);
            milliseconds_ += millisecondsBetween(start, Clock::now());
            return bounds;
        }
        bool isSecret() const override { return inner_->isSecret(); }

    private:
        std::unique_ptr<FocusedElement> inner_;
        double& milliseconds_;
    };

    AccessibilityProvider& inner_;
    double& milliseconds_;
};

// The platform with the caret's calls timed.
Platform timingCaret(Platform platform, AccessibilityProvider& accessibility) {
    return {platform.defaults,         platform.hotkeys,      platform.loginItems,
            platform.workspace,        platform.trust,        accessibility,
            platform.accessibilityBus, platform.screens,      platform.keyboard,
            platform.keyboardLayout,   platform.keyboardHold, platform.keyPoster,
            platform.activator,        platform.mainThread,   platform.sleeper,
            platform.timers,           platform.inputMethod};
}

// Tiklo's picker path: the program's own platform and runtime, without the tray and without
// starting (no key observation: the trigger is fed as the keyboard monitor would feed it).
class PopupRig {
public:
    PopupRig()
        : linux_(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection(),
                 applicationID, {}),
          platform_(linux_.platform()), accessibility_(platform_.accessibility, caretMilliseconds_),
          tiklo_(timingCaret(platform_, accessibility_)) {
        QObject::connect(&tiklo_, &TikloRuntime::makingPanel,
                         [this] { panelStart_ = Clock::now(); });
        QObject::connect(&tiklo_, &TikloRuntime::panelMade, [this](QuickPickerPanel* panel) {
            panel_ = panel;
            // Straight from the render thread: the moment the frame went out.
            QObject::connect(
                &panel_->view(), &QQuickWindow::frameSwapped, &panel_->view(),
                [this] { lastSwap_ = Clock::now().time_since_epoch().count(); },
                Qt::DirectConnection);
            panelMilliseconds_ = millisecondsBetween(panelStart_, Clock::now());
        });
        // The popup shows as at the first key of a search, without the pause on a ";" alone.
        tiklo_.picker().setSearchPause(std::chrono::milliseconds(0));
        otherWindow_ = other_.createWindow("bench-editor", "BenchEditor", 1);
        ready_ = other_.connected() && bringOtherToFront();
    }

    ~PopupRig() { linux_.shutDown(); }

    bool ready() const { return ready_; }

    // What the program does soon after start, in a pause of the typing, left to finish.
    void prepare() {
        EmojiCatalog::shared().index();
        tiklo_.picker().prepare();
        const auto until = Clock::now() + std::chrono::milliseconds(1200);
        serveEventsUntil([&] { return Clock::now() >= until; });
    }

    // The inline popup of the trigger, or the full picker of the hotkey.
    PopupTiming popUp(bool full = false) {
        PopupTiming timing;
        // A ";" typed into the target, which an insertion may have given the keyboard back
        // to a moment ago.
        if (!full) {
            serveEventsUntil([this] { return targetInFront(); });
        }
        caretMilliseconds_ = 0;
        panelMilliseconds_ = 0;
        lastSwap_ = 0;
        const auto start = Clock::now();
        if (full) {
            tiklo_.showFullPicker();
        } else {
            tiklo_.trigger().handleKeyDown(KeyDown{{semicolon}, ";"});
        }
        timing.handled = millisecondsBetween(start, Clock::now());
        timing.caret = caretMilliseconds_;
        timing.panel = panelMilliseconds_;
        if (panel_ == nullptr) {
            return timing;
        }
        const QQuickView& view = panel_->view();
        const auto done = [&] {
            const auto now = Clock::now();
            if (timing.exposed == 0 && view.isExposed()) {
                timing.exposed = millisecondsBetween(start, now);
            }
            if (timing.active == 0 && view.isActive()) {
                timing.active = millisecondsBetween(start, now);
            }
            if (const auto swapped = lastSwap_.load(); timing.frame == 0 && swapped != 0) {
                timing.frame =
                    millisecondsBetween(start, Clock::time_point(Clock::duration(swapped)));
            }
            return timing.exposed > 0 && timing.active > 0 && timing.frame > 0 &&
                   (full ? tiklo_.session().contentModel()->rowCount()
                         : tiklo_.session().resultsModel()->rowCount()) > 0;
        };
        timing.complete = serveEventsUntil(done);
        timing.ready = millisecondsBetween(start, Clock::now());
        return timing;
    }

    RefreshTiming timeRefresh() {
        RefreshTiming timing;
        const AppState& state = tiklo_.state();
        auto start = Clock::now();
        const auto results = EmojiCatalog::shared().search("", std::nullopt, state.favorites(),
                                                           state.emojiUsage(), state.recents());
        benchmark::DoNotOptimize(results.data());
        timing.search = millisecondsBetween(start, Clock::now());
        start = Clock::now();
        tiklo_.session().refreshResults();
        timing.refresh = millisecondsBetween(start, Clock::now());
        return timing;
    }

    // A key typed into the open picker's search field: milliseconds until the next frame,
    // drawn with the new results, went out; nothing when none came.
    std::optional<double> typeKey(Qt::Key key, const QString& text) {
        QQuickView& view = panel_->view();
        lastSwap_ = 0;
        const auto start = Clock::now();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(&view, &press);
        QCoreApplication::sendEvent(&view, &release);
        if (!serveEventsUntil([this] { return lastSwap_.load() != 0; })) {
            return std::nullopt;
        }
        return millisecondsBetween(start, Clock::time_point(Clock::duration(lastSwap_.load())));
    }

    // Scrolls the open picker's content from top to bottom a row of tiles at a time; the
    // milliseconds of each frame, from the move to the frame going out.
    std::vector<double> scrollToBottom() {
        std::vector<double> frames;
        QObject* list = panel_->view().rootObject()->findChild<QObject*>("emojiList");
        if (list == nullptr) {
            return frames;
        }
        constexpr double rowPitch = 48 + 8;
        const auto bottom = [list] {
            return list->property("originY").toDouble() +
                   list->property("contentHeight").toDouble() +
                   list->property("bottomMargin").toDouble() - list->property("height").toDouble();
        };
        double y = list->property("contentY").toDouble();
        while (y < bottom()) {
            y = std::min(y + rowPitch, bottom());
            lastSwap_ = 0;
            const auto start = Clock::now();
            list->setProperty("contentY", y);
            if (!serveEventsUntil([this] { return lastSwap_.load() != 0; })) {
                return {};
            }
            frames.push_back(
                millisecondsBetween(start, Clock::time_point(Clock::duration(lastSwap_.load()))));
        }
        return frames;
    }

    // Makes `window` the application the popups open for and the emoji go to.
    bool useTarget(xcb_window_t window) {
        otherWindow_ = window;
        return bringOtherToFront();
    }

    // Chooses the highlighted result as Return does; milliseconds until the emoji was typed
    // and read by the target, and the keyboard given back, or nothing. `start`: the moment
    // of the choice.
    std::optional<double> insertSelected(Clock::time_point* start = nullptr) {
        const auto chosen = Clock::now();
        if (start != nullptr) {
            *start = chosen;
        }
        tiklo_.session().insertSelected();
        if (!awaitInjector()) {
            return std::nullopt;
        }
        return millisecondsBetween(chosen, Clock::now());
    }

    // A key as X reports it: `key` typing `text`, on keycode `scanCode` with the modifier
    // state `nativeModifiers`.
    struct TypedKey {
        Qt::Key key;
        QString text;
        std::uint32_t scanCode = 0;
        std::uint32_t nativeModifiers = 0;
    };

    // The keys of `query` typed into the open popup, then the key that makes it give way;
    // milliseconds from that key until `field` holds `expected`, or nothing.
    std::optional<double> giveWay(const std::vector<TypedKey>& query, const TypedKey& ending,
                                  test::TextFieldProcess& field, const std::string& expected) {
        if (!query.empty()) {
            // Typed a moment before, as a person types: the popup has drawn what they found.
            lastSwap_ = 0;
            for (const TypedKey& key : query) {
                type(key);
            }
            serveEventsUntil([this] { return lastSwap_.load() != 0; });
        }
        const auto start = Clock::now();
        type(ending);
        if (!serveEventsUntil([&] { return field.text() == expected; })) {
            return std::nullopt;
        }
        const double milliseconds = millisecondsBetween(start, Clock::now());
        awaitInjector();
        return milliseconds;
    }

    xcb_keycode_t keycode(std::uint32_t keysym) { return other_.keycode(keysym); }

    // Serves events for `time`: the popup's fade-in is over, as when a person types on.
    void settle(std::chrono::milliseconds time) {
        const auto until = Clock::now() + time;
        serveEventsUntil([&] { return Clock::now() >= until; });
    }

    // Cancels the popup as Escape does and puts the other window in front again, then
    // waits until Qt, too, no longer counts the popup as active.
    bool dismiss() {
        tiklo_.session().close();
        return bringOtherToFront() && serveEventsUntil([this] {
                   return panel_ == nullptr ||
                          (!panel_->view().isVisible() && !panel_->view().isActive());
               });
    }

private:
    // Serves events until the injector has done all it was given (it needs this thread on
    // the way); false when that took too long.
    bool awaitInjector() {
        std::atomic<bool> idle = false;
        std::thread waiter([&] {
            tiklo_.injector().waitUntilIdle();
            idle = true;
        });
        const bool done = serveEventsUntil([&] { return idle.load(); });
        serveEventsUntil([&] { return idle.load(); });
        waiter.join();
        return done;
    }

    // Pressed and let go in the popup's window, as X would deliver it there.
    void type(const TypedKey& typed) {
        QQuickView& view = panel_->view();
        const Qt::KeyboardModifiers modifiers =
            (typed.nativeModifiers & XCB_MOD_MASK_SHIFT) != 0 ? Qt::ShiftModifier : Qt::NoModifier;
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, typed.key, modifiers, typed.scanCode, 0, typed.nativeModifiers,
                            typed.text);
            QCoreApplication::sendEvent(&view, &event);
        }
    }

    bool bringOtherToFront() {
        other_.activate(otherWindow_);
        return serveEventsUntil([this] { return targetInFront(); });
    }

    // As the program sees it: the window system's notice may come a moment after the target
    // got the keyboard back.
    bool targetInFront() const {
        const auto front = platform_.workspace.frontmostApplication();
        return front && front->window == otherWindow_;
    }

    // Runs the event loop until `done` holds; a 1 ms tick bounds each wait so that
    // milestones reached on other threads are seen promptly.
    template <typename Done> bool serveEventsUntil(Done done) {
        QTimer tick;
        tick.start(1);
        const auto deadline = Clock::now() + waitLimit;
        while (!done()) {
            if (Clock::now() >= deadline) {
                return false;
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }

    double caretMilliseconds_ = 0;
    double panelMilliseconds_ = 0;
    Clock::time_point panelStart_;
    LinuxPlatform linux_;
    Platform platform_;
    TimedAccessibility accessibility_;
    TikloRuntime tiklo_;
    test::X11TestClient other_;
    xcb_window_t otherWindow_ = XCB_WINDOW_NONE;
    QuickPickerPanel* panel_ = nullptr;
    std::atomic<Clock::rep> lastSwap_ = 0;
    bool ready_ = false;
};

// The warm popups' rig, gone before the application object.
std::unique_ptr<PopupRig> sharedRig;
double residentAfterFirstPopup = 0;

// Built on first use, with its first popup (catalog build, QML load) already done.
PopupRig* warmRig() {
    if (!sharedRig) {
        sharedRig = std::make_unique<PopupRig>();
        if (sharedRig->ready() && sharedRig->popUp().complete && sharedRig->dismiss()) {
            residentAfterFirstPopup = residentMegabytes();
        }
    }
    return residentAfterFirstPopup > 0 ? sharedRig.get() : nullptr;
}

void warmPopup(benchmark::State& state) {
    PopupRig* rig = warmRig();
    if (rig == nullptr) {
        state.SkipWithError("the picker did not come up");
        return;
    }
    PopupTiming timing;
    RefreshTiming refresh;
    for (auto _ : state) {
        timing = rig->popUp();
        if (!timing.complete) {
            state.SkipWithError("the popup did not become ready");
            break;
        }
        state.SetIterationTime(timing.ready / 1000.0);
        state.PauseTiming();
        refresh = rig->timeRefresh();
        const bool dismissed = rig->dismiss();
        state.ResumeTiming();
        if (!dismissed) {
            state.SkipWithError("the popup did not go away");
            break;
        }
    }
    state.counters["handled_ms"] = timing.handled;
    state.counters["caret_ms"] = timing.caret;
    state.counters["exposed_ms"] = timing.exposed;
    state.counters["active_ms"] = timing.active;
    state.counters["frame_ms"] = timing.frame;
    state.counters["search_ms"] = refresh.search;
    state.counters["refresh_ms"] = refresh.refresh;
    state.counters["rss_after_first_MB"] = residentAfterFirstPopup;
}

// Runs this program in a child mode (`flag`); its report line, or nothing.
std::optional<std::string> runChild(const char* flag) {
    static const std::string self = [] {
        char buffer[4096] = {};
        const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
        return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
    }();
    const test::ChildProcess::Exit exit =
        test::ChildProcess::run({self, flag}, std::chrono::seconds(60));
    if (!exit.succeeded()) {
        return std::nullopt;
    }
    return exit.output;
}

// One first popup per fresh process, cold or after the background preparation.
void firstPopup(benchmark::State& state, const char* flag) {
    PopupTiming timing;
    double residentBefore = 0;
    double resident = 0;
    for (auto _ : state) {
        const std::optional<std::string> report = runChild(flag);
        std::istringstream fields(report.value_or(""));
        fields >> timing.handled >> timing.caret >> timing.panel >> timing.exposed >>
            timing.active >> timing.frame >> timing.ready >> residentBefore >> resident;
        if (!report || fields.fail()) {
            state.SkipWithError("the first popup did not become ready");
            break;
        }
        state.SetIterationTime(timing.ready / 1000.0);
    }
    state.counters["handled_ms"] = timing.handled;
    state.counters["qml_load_ms"] = timing.panel;
    state.counters["caret_ms"] = timing.caret;
    state.counters["active_ms"] = timing.active;
    state.counters["frame_ms"] = timing.frame;
    state.counters["rss_before_MB"] = residentBefore;
    state.counters["rss_after_first_MB"] = resident;
}

void coldPopup(benchmark::State& state) {
    firstPopup(state, coldFlag);
}

void preparedFirstPopup(benchmark::State& state) {
    firstPopup(state, preparedFlag);
}

// As the program renders its windows, unless QT_QUICK_BACKEND asks for another scene graph
// ("rhi": the GPU's, or Mesa's software OpenGL), to compare them.
void useProgramsRenderer() {
    if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND")) {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    }
}

// Child mode: one first popup (or full picker), cold or prepared, reported on standard
// output.
int firstPopupOnce(int argc, char** argv, bool prepared, bool full = false) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    useProgramsRenderer();
    PopupRig rig;
    if (prepared) {
        rig.prepare();
    }
    const double residentBefore = residentMegabytes();
    const PopupTiming timing = rig.ready() ? rig.popUp(full) : PopupTiming{};
    if (!timing.complete) {
        return 1;
    }
    std::printf("%f %f %f %f %f %f %f %f %f\n", timing.handled, timing.caret, timing.panel,
                timing.exposed, timing.active, timing.frame, timing.ready, residentBefore,
                residentMegabytes());
    return rig.dismiss() ? 0 : 1;
}

// The warm rig typing into `field`, or nothing (the benchmark is then skipped).
PopupRig* rigTypingInto(benchmark::State& state, tiklo::test::TextFieldProcess& field) {
    PopupRig* rig = warmRig();
    if (rig == nullptr || !field.ready() ||
        !rig->useTarget(static_cast<xcb_window_t>(field.application().window))) {
        state.SkipWithError("no picker or no text field");
        return nullptr;
    }
    return rig;
}

// Return to the emoji read by a Qt text field, the injector warm (its first insertion done).
void warmInsertion(benchmark::State& state) {
    tiklo::test::TextFieldProcess field;
    PopupRig* rig = rigTypingInto(state, field);
    if (rig == nullptr) {
        return;
    }
    std::optional<double> first;
    if (rig->popUp().complete) {
        first = rig->insertSelected(); // the first insertion of the process, not counted
    }
    std::vector<double> untilIdle;
    for (auto _ : state) {
        field.clear();
        const PopupTiming popup = rig->popUp();
        Clock::time_point chosen;
        const std::optional<double> inserted =
            popup.complete ? rig->insertSelected(&chosen) : std::optional<double>();
        if (!first || !inserted || field.text().empty()) {
            state.SkipWithError("the emoji did not arrive");
            break;
        }
        // The time is the emoji's arrival in the field; the rest (the keyboard given back)
        // is counted beside it.
        state.SetIterationTime(millisecondsBetween(chosen, field.changed()) / 1000.0);
        untilIdle.push_back(*inserted);
    }
    state.counters["first_insertion_ms"] = first.value_or(0);
    state.counters["until_idle_median_ms"] = percentile(untilIdle, 0.5);
}

// The popup giving way to a Qt text field: ";D " (the query "D" given back, then the space)
// and ";)" (the first key itself).
void warmGiveWay(benchmark::State& state, bool afterQuery) {
    tiklo::test::TextFieldProcess field;
    PopupRig* rig = rigTypingInto(state, field);
    if (rig == nullptr) {
        return;
    }
    using TypedKey = PopupRig::TypedKey;
    const TypedKey shiftD{Qt::Key_D, "D", rig->keycode('d'), XCB_MOD_MASK_SHIFT};
    const TypedKey space{Qt::Key_Space, " ", rig->keycode(' '), 0};
    const TypedKey parenRight{Qt::Key_ParenRight, ")", rig->keycode('0'), XCB_MOD_MASK_SHIFT};
    for (auto _ : state) {
        field.clear();
        const PopupTiming popup = rig->popUp();
        rig->settle(std::chrono::milliseconds(300));
        const std::optional<double> given = !popup.complete ? std::nullopt
                                            : afterQuery
                                                ? rig->giveWay({shiftD}, space, field, "D ")
                                                : rig->giveWay({}, parenRight, field, ")");
        if (!given) {
            state.SkipWithError("the text did not arrive");
            break;
        }
        state.SetIterationTime(*given / 1000.0);
    }
}

void warmGiveWayAfterQuery(benchmark::State& state) {
    warmGiveWay(state, true);
}

void warmGiveWayFirstKey(benchmark::State& state) {
    warmGiveWay(state, false);
}

// The full picker, opened again and again by the hotkey's action, the catalog built.
void warmFullPicker(benchmark::State& state) {
    PopupRig* rig = warmRig();
    if (rig == nullptr || !rig->popUp(true).complete || !rig->dismiss()) {
        state.SkipWithError("the full picker did not come up");
        return;
    }
    PopupTiming timing;
    for (auto _ : state) {
        timing = rig->popUp(true);
        if (!timing.complete) {
            state.SkipWithError("the full picker did not become ready");
            break;
        }
        state.SetIterationTime(timing.ready / 1000.0);
        state.PauseTiming();
        const bool dismissed = rig->dismiss();
        state.ResumeTiming();
        if (!dismissed) {
            state.SkipWithError("the full picker did not go away");
            break;
        }
    }
    state.counters["handled_ms"] = timing.handled;
    state.counters["active_ms"] = timing.active;
    state.counters["frame_ms"] = timing.frame;
}

// A key typed into the full picker's search field until its results are drawn: "pizza"
// typed and taken back, key by key.
void fullPickerKeystroke(benchmark::State& state) {
    PopupRig* rig = warmRig();
    if (rig == nullptr || !rig->popUp(true).complete) {
        state.SkipWithError("the full picker did not come up");
        return;
    }
    const QString word = QStringLiteral("pizza");
    std::size_t key = 0;
    for (auto _ : state) {
        // Forth through the word, then back.
        const std::size_t place = key % (2 * static_cast<std::size_t>(word.size()));
        const bool typing = place < static_cast<std::size_t>(word.size());
        const QChar letter =
            word[static_cast<qsizetype>(place % static_cast<std::size_t>(word.size()))];
        const std::optional<double> drawn =
            typing ? rig->typeKey(static_cast<Qt::Key>(letter.toUpper().unicode()), letter)
                   : rig->typeKey(Qt::Key_Backspace, QString());
        ++key;
        if (!drawn) {
            state.SkipWithError("no frame after the key");
            break;
        }
        state.SetIterationTime(*drawn / 1000.0);
    }
    state.counters["rss_full_open_MB"] = residentMegabytes();
    rig->dismiss();
}

// The whole "All emoji" grid scrolled from top to bottom, a row of tiles per frame: the
// worst and the typical frame. The first pass of the process draws every emoji for the
// first time.
void fullPickerScroll(benchmark::State& state) {
    PopupRig* rig = warmRig();
    std::vector<double> frames;
    for (auto _ : state) {
        if (rig == nullptr || !rig->popUp(true).complete) {
            state.SkipWithError("the full picker did not come up");
            break;
        }
        frames = rig->scrollToBottom();
        rig->dismiss();
        if (frames.empty()) {
            state.SkipWithError("the grid did not scroll");
            break;
        }
        std::vector<double> sorted = frames;
        std::sort(sorted.begin(), sorted.end());
        state.SetIterationTime(sorted.back() / 1000.0);
        state.counters["frames"] = static_cast<double>(frames.size());
        state.counters["median_frame_ms"] = sorted[sorted.size() / 2];
        state.counters["worst_frame_ms"] = sorted.back();
        state.counters["over_16ms"] = static_cast<double>(
            std::count_if(sorted.begin(), sorted.end(), [](double ms) { return ms >= 16; }));
    }
    state.counters["rss_after_scroll_MB"] = residentMegabytes();
}

void coldFullPicker(benchmark::State& state) {
    firstPopup(state, coldFullFlag);
}

void preparedFirstFullPicker(benchmark::State& state) {
    firstPopup(state, preparedFullFlag);
}

BENCHMARK(warmFullPicker)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(25)
    ->ReportAggregatesOnly(true);
BENCHMARK(fullPickerKeystroke)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(40)
    ->ReportAggregatesOnly(true);
BENCHMARK(fullPickerScroll)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(coldFullPicker)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(preparedFirstFullPicker)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(warmPopup)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(25)
    ->ReportAggregatesOnly(true);
BENCHMARK(coldPopup)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(warmInsertion)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(25)
    ->ReportAggregatesOnly(true);
BENCHMARK(warmGiveWayAfterQuery)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(25)
    ->ReportAggregatesOnly(true);
BENCHMARK(warmGiveWayFirstKey)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(25)
    ->ReportAggregatesOnly(true);
BENCHMARK(preparedFirstPopup)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    if (argc == 2 && std::strcmp(argv[1], coldFlag) == 0) {
        return firstPopupOnce(argc, argv, false);
    }
    if (argc == 2 && std::strcmp(argv[1], preparedFlag) == 0) {
        return firstPopupOnce(argc, argv, true);
    }
    if (argc == 2 && std::strcmp(argv[1], coldFullFlag) == 0) {
        return firstPopupOnce(argc, argv, false, true);
    }
    if (argc == 2 && std::strcmp(argv[1], preparedFullFlag) == 0) {
        return firstPopupOnce(argc, argv, true, true);
    }
    // Nothing of the user's: a display, window manager and session bus of its own, and
    // settings in a folder that goes away afterwards.
    const tiklo::test::TempDir home;
    setenv("XDG_CONFIG_HOME", (home.path() / "config").c_str(), 1);
    const tiklo::test::XvfbSession session({.windowManager = true, .sessionBus = true});
    if (!session.ready()) {
        std::fprintf(stderr, "no display for the benchmark: %s\n", session.error().c_str());
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    useProgramsRenderer();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    sharedRig.reset();
    return 0;
}
