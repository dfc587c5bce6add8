// SPDX-License-Identifier: GPL-3.0-or-later
// Semicolon search through a real input method on a private X11 desktop, fcitx5 with the
// build's addon and ibus-daemon with the build's engine in turn: a GTK 3 entry talking to it,
// and xdotool as the user's hands at 12 ms a key; then Tiklo's program beside it.
#include "e2e/Fcitx5Process.h"
#include "e2e/TargetEntry.h"
#include "e2e/TikloDesktop.h"
#include "support/Poll.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/TextFieldProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

const std::string fire = "\U0001F525";

enum class Method { fcitx5, ibus };

// Also the test's name.
void PrintTo(Method method, std::ostream* out) {
    *out << (method == Method::fcitx5 ? "Fcitx5" : "IBus");
}

// ibus-daemon with the build's engine as the one in use, its files under `home`; GTK
// applications started after it talk to it. Nothing when it did not come up so.
std::unique_ptr<ChildProcess> startIbusDaemon(ScopedEnvironment& environment,
                                              const std::filesystem::path& home) {
    // The daemon, its settings and its clients see only this folder; it publishes its address
    // in the file named here instead of the user's.
    environment.set("HOME", home.string());
    environment.set("XDG_CACHE_HOME", (home / "cache").string());
    environment.set("XDG_DATA_HOME", (home / "data").string());
    environment.set("GSETTINGS_BACKEND", "memory");
    environment.set("IBUS_ADDRESS", std::nullopt);
    environment.set("IBUS_ADDRESS_FILE", (home / "ibus-address").string());
    // The list replaces the daemon's own folder, which brings the xkb engines.
    environment.set("IBUS_COMPONENT_PATH",
                    std::string(TIKLO_IBUS_COMPONENT_DIR) + ":/usr/share/ibus/component");
    auto daemon = std::make_unique<ChildProcess>(
        std::vector<std::string>{"ibus-daemon", "--panel=disable", "--cache=none"},
        ChildProcess::Options{.output = ChildProcess::Stream::discard,
                              .errors = ChildProcess::Stream::discard});
    // The engine is set once the daemon answers. `ibus engine tiklo` says it failed even when
    // it set the engine (it cannot apply a layout named "default"): the daemon is asked.
    const bool engineSet = pollFor(
        [] {
            ChildProcess::run({"ibus", "engine", "tiklo"});
            return ChildProcess::run({"ibus", "engine"}).output.starts_with("tiklo");
        },
        15s, 100ms);
    if (!engineSet) {
        return nullptr;
    }
    environment.set("GTK_IM_MODULE", "ibus");
    return daemon;
}

class InputMethodX11Test : public ::testing::TestWithParam<Method> {};

// One desktop: first the input method alone, then with Tiklo's program listening beside it.
TEST_P(InputMethodX11Test, SearchesThroughTheInputMethodAloneAndBesideTheProgram) {
    TikloDesktop desktop({.initialText = "", .target = false});
    ASSERT_TRUE(desktop.ready()) << desktop.error();
    const TempDir home;
    ScopedEnvironment environment;
    const bool fcitx5 = GetParam() == Method::fcitx5;
    std::optional<Fcitx5Process> fcitx5Process;
    std::unique_ptr<ChildProcess> ibusDaemon;
    if (fcitx5) {
        ASSERT_EQ(fcitx5Process.emplace(environment, home.path()).error(), "");
    } else {
        ibusDaemon = startIbusDaemon(environment, home.path());
        ASSERT_TRUE(ibusDaemon) << "ibus-daemon did not come up with Tiklo's engine";
    }
    // GTK takes a key sent to its window only from the core protocol.
    environment.set("GDK_CORE_DEVICE_EVENTS", "1");
    auto entry = std::make_unique<TargetEntry>("");
    ASSERT_TRUE(entry->ready());
    ASSERT_TRUE(TikloDesktop::waitUntilSearchServed(*entry));
    // Types `keys` from an empty entry; what the entry holds once it settles on `expected`.
    const auto typed = [&](const std::string& keys, const std::string& expected) {
        entry->setText("");
        EXPECT_TRUE(TikloDesktop::type(keys));
        return entry->waitForText(expected, 5s);
    };

    // The query is preedit, not text, until Return puts the emoji in its place, and the keys
    // typed right after it land after it. Escape puts the query in as typed.
    ASSERT_TRUE(TikloDesktop::type(";fir"));
    EXPECT_EQ(entry->waitForText("", 1s), "");
    EXPECT_TRUE(TikloDesktop::key("Escape"));
    EXPECT_EQ(entry->waitForText(";fir", 5s), ";fir");
    entry->setText("");
    EXPECT_TRUE(desktop.keySequence({"semicolon", "f", "i", "r", "Escape"}, 60ms));
    EXPECT_EQ(entry->waitForText(";fir", 5s), ";fir");
    EXPECT_EQ(typed(";fire\n is hot", fire + " is hot"), fire + " is hot");
    EXPECT_EQ(typed("hot ;fire", "hot "), "hot ");
    EXPECT_TRUE(TikloDesktop::key("ctrl+1"));
    EXPECT_EQ(entry->waitForText("hot " + fire, 5s), "hot " + fire);
    for (const std::string line :
         {"one; two", "wink ;) ok", "a ;-) b", "so ;D nice", "for(i=0;i<n;i++)"}) {
        EXPECT_EQ(typed(line, line), line);
    }
    // A password entry gets the prefix and the query as text, and Return chooses nothing.
    ASSERT_TRUE(entry->makeSecret());
    EXPECT_EQ(typed(";fire\n", ";fire"), ";fire");

    // A fresh entry, and the program listening beside the input method: it leaves the fields
    // the input method holds to its front end. Had it opened its popup too, the entry would
    // have lost the focus, and the input method would have put the query into it as text.
    entry.reset();
    entry = std::make_unique<TargetEntry>("");
    ASSERT_TRUE(entry->ready());
    ASSERT_TRUE(TikloDesktop::waitUntilSearchServed(*entry));
    ASSERT_TRUE(desktop.startTikloListening()) << desktop.error();
    ASSERT_TRUE(TikloDesktop::type(";fi"));
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(desktop.visiblePopups().empty());
    EXPECT_EQ(entry->text(), "");
    ASSERT_TRUE(TikloDesktop::type("re\n is hot"));
    EXPECT_EQ(entry->waitForText(fire + " is hot", 5s), fire + " is hot");

    // Where the program cannot see the picker's shortcut (a Wayland field), the front end asks
    // it for the picker; the emoji chosen there goes into the field through the input method
    // once the field has the focus back. The shortcut is sent to the entry's own window, past
    // the program's grab, as the keys of a Wayland field pass Tiklo by.
    ASSERT_TRUE(entry->setText(""));
    const std::optional<TikloDesktop::WindowID> entryWindow = desktop.activeWindow();
    ASSERT_TRUE(entryWindow);
    const std::vector<std::string> shortcutIntoEntry{"key", "--window",
                                                     std::to_string(*entryWindow), "ctrl+alt+e"};
    ASSERT_TRUE(TikloDesktop::xdotool(shortcutIntoEntry).succeeded());
    ASSERT_TRUE(desktop.waitForActivePopup(10s));
    ASSERT_TRUE(desktop.type("fire"));
    ASSERT_TRUE(desktop.key("Return"));
    EXPECT_EQ(entry->waitForText(fire, 5s), fire);
    ASSERT_TRUE(TikloDesktop::type(" is hot"));
    EXPECT_EQ(entry->waitForText(fire + " is hot", 5s), fire + " is hot");
    // Escape: nothing goes in, and the entry has the keyboard again.
    ASSERT_TRUE(TikloDesktop::xdotool(shortcutIntoEntry).succeeded());
    ASSERT_TRUE(desktop.waitForActivePopup(10s));
    ASSERT_TRUE(desktop.key("Escape"));
    ASSERT_TRUE(TikloDesktop::type("!"));
    EXPECT_EQ(entry->waitForText(fire + " is hot!", 5s), fire + " is hot!");
    // Only the program that holds Tiklo's name puts text in, not any client of the bus.
    ChildProcess::run({"dbus-send", "--session", "--print-reply",
                       fcitx5 ? "--dest=org.fcitx.Fcitx5" : "--dest=org.tiklo.Tiklo.IBus",
                       fcitx5 ? "/org/tiklo/Fcitx5" : "/org/tiklo/IBus",
                       fcitx5 ? "org.tiklo.Fcitx5.Commit" : "org.tiklo.IBus.Commit",
                       "string:stranger"});
    ASSERT_TRUE(TikloDesktop::type("?"));
    EXPECT_EQ(entry->waitForText(fire + " is hot!?", 5s), fire + " is hot!?");
    // A second launch with --picker, as from a launcher where there is no tray: the focused
    // field asks for the picker, and the choice goes in through the input method.
    const std::string picked = fire + " is hot!?" + fire;
    ASSERT_EQ(ChildProcess::run({TIKLO_EXECUTABLE, "--picker"}).status, 0);
    ASSERT_TRUE(desktop.waitForActivePopup(10s));
    ASSERT_TRUE(desktop.type("fire"));
    ASSERT_TRUE(desktop.key("Return"));
    EXPECT_EQ(entry->waitForText(picked, 5s), picked);

    // A Qt field with no input method: the keys are the program's to watch again. (With IBus,
    // its engine is still handed the daemon's stand-in context then, and must not count it.)
    TextFieldProcess field;
    ASSERT_TRUE(field.ready());
    ASSERT_TRUE(desktop.type(";"));
    EXPECT_TRUE(desktop.waitForActivePopup(10s));
    EXPECT_EQ(entry->waitForText(picked, 1s), picked);
}

INSTANTIATE_TEST_SUITE_P(InputMethods, InputMethodX11Test,
                         ::testing::Values(Method::fcitx5, Method::ibus),
                         ::testing::PrintToStringParamName());

} // namespace
} // namespace tiklo::test
