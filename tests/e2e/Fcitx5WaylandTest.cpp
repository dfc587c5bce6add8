// SPDX-License-Identifier: GPL-3.0-or-later
// Semicolon search on Wayland: sway on a headless output, fcitx5 with its Wayland addons, a
// native Wayland GTK 3 entry talking to fcitx5 through its GTK module over D-Bus, and wtype as
// the user's hands at 12 ms a key; Tiklo's program on XWayland beside them.
//
// Every wtype run is a keyboard of its own, so the field loses the focus between two runs:
// the keys of one search go in one run.
#include "catalog/EmojiCatalog.h"
#include "e2e/DefaultsPlist.h"
#include "e2e/Fcitx5Process.h"
#include "e2e/SwaySession.h"
#include "e2e/TargetEntry.h"
#include "support/Poll.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

const std::string fire = "\U0001F525";

// `keys` through a new virtual keyboard of the session, at 12 ms a key.
bool type(const SwaySession& session, const std::vector<std::string>& keys) {
    std::vector<std::string> arguments{"wtype", "-d", "12"};
    arguments.insert(arguments.end(), keys.begin(), keys.end());
    return ChildProcess::run(session.command(arguments)).succeeded();
}

using Candidates = std::vector<std::string>;

// The candidates' texts of each list fcitx5 sends over the session bus to a field that shows
// its own (UpdateClientSideUI, which fcitx5's GTK module asks for on Wayland), as `monitor`
// (dbus-monitor) prints them, until one satisfies `wanted` or the time is up; the last list.
Candidates waitForCandidates(ChildProcess& monitor,
                             const std::function<bool(const Candidates&)>& wanted,
                             std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Candidates last;
    Candidates list;
    bool inList = false;
    bool afterString = false;
    int flagsSeen = 0;
    while (const auto line = monitor.readLine(std::chrono::duration_cast<std::chrono::milliseconds>(
               deadline - std::chrono::steady_clock::now()))) {
        if (line->starts_with("signal ") || line->starts_with("method ")) {
            inList = line->find("member=UpdateClientSideUI") != std::string::npos;
            afterString = false;
            flagsSeen = 0;
            list.clear();
            continue;
        }
        // The signal's arguments: preedit, cursor, the two auxiliary texts (each a list of
        // text and format), the candidates (label and text: two strings in a row), the cursor's
        // candidate, the layout, and two page flags that close it.
        const std::string text = line->substr(std::min(line->find_first_not_of(' '), line->size()));
        const bool isString = text.starts_with("string \"") && text.ends_with("\"");
        if (inList && isString && afterString) {
            list.push_back(text.substr(8, text.size() - 9));
        }
        afterString = isString && !afterString;
        if (inList && text.starts_with("boolean ") && ++flagsSeen == 2) {
            inList = false;
            last = list;
            if (wanted(last)) {
                break;
            }
        }
    }
    return last;
}

// The search in the field, with the query as preedit and the candidates under it, and
// punctuation as typed. Then the picker's shortcut in the Wayland field, which no X11 program
// sees: the addon asks the program, running on XWayland, for its picker; the emoji chosen
// there goes into the field through fcitx5, and the keys typed on land after it.
TEST(Fcitx5WaylandTest, SearchesInTheFieldAndThePickerShortcutTypesThroughTheAddon) {
    SwaySession session;
    if (session.unavailable()) {
        GTEST_SKIP() << "no Wayland compositor for this test: " << session.error();
    }
    ASSERT_TRUE(session.ready()) << session.error();
    const std::filesystem::path settings = session.home() / "config" / "tiklo";
    ASSERT_TRUE(session.makeFolder(settings) && storeOnboarded(settings / "defaults.plist") &&
                session.handOver(settings / "defaults.plist"));
    const Fcitx5Process fcitx5(
        session.environment(), session.home(),
        {.displayAddons = "wayland,waylandim", .launcher = session.launcher()});
    ASSERT_TRUE(fcitx5.ready()) << fcitx5.error();
    ASSERT_TRUE(ChildProcess::run(session.command({"test", "-r", TIKLO_TARGET_ENTRY})).succeeded())
        << "the session's user cannot read " << TIKLO_TARGET_ENTRY
        << ": the source and build trees must be readable by all";
    TargetEntry entry("", TargetEntry::Kind::gtk3Entry, session.launcher());
    ASSERT_TRUE(entry.ready()) << "the GTK entry did not get the keyboard on sway";

    const auto typed = [&](const std::vector<std::string>& keys, const std::string& expected) {
        entry.setText("");
        EXPECT_TRUE(type(session, keys));
        return entry.waitForText(expected, 5s);
    };
    // The entry reaches fcitx5 a while after it has the focus; until then a search is text.
    const auto served = [&] { return typed({";fire", "-k", "Return"}, fire) == fire; };
    ASSERT_TRUE(pollFor(served, 15s, 100ms)) << "the entry never reached fcitx5";

    EXPECT_EQ(typed({";fire", "-k", "Return", " is hot"}, fire + " is hot"), fire + " is hot");
    {
        // Escape puts the query in as typed while the field still has this keyboard, which
        // then waits: its going would put the query in too.
        ASSERT_TRUE(entry.setText(""));
        const ChildProcess keys(
            session.command({"wtype", "-d", "12", ";fi", "-k", "Escape", "-s", "4000"}),
            {.output = ChildProcess::Stream::discard});
        EXPECT_EQ(entry.waitForText(";fi", 3s), ";fi");
    }
    for (const std::string line : {"one; two", "wink ;) ok", "for(i=0;i<n;i++)"}) {
        EXPECT_EQ(typed({line}, line), line);
    }

    // The query while it is typed: not yet text, and under it the list of candidates that
    // fcitx5 sends to the field for its input-method module to draw.
    ChildProcess monitor(session.command({"dbus-monitor", "--session",
                                          "type='signal',interface='org.fcitx.Fcitx.InputContext1',"
                                          "member='UpdateClientSideUI'"}),
                         {.errors = ChildProcess::Stream::discard});
    // Once a monitor, it has left the bus under its own name, and says so.
    auto said = monitor.readLine(10s);
    while (said && said->find("member=NameLost") == std::string::npos) {
        said = monitor.readLine(10s);
    }
    ASSERT_TRUE(said) << "dbus-monitor did not start";
    ASSERT_TRUE(entry.setText(""));
    ASSERT_TRUE(type(session, {";fi"}));
    // "<emoji>  <name>": a word of the name begins with the query.
    const auto found = [](const std::string& candidate) {
        return (" " + candidate.substr(candidate.find("  ") + 2)).find(" fi") != std::string::npos;
    };
    // The lists sent while ";" alone was the query come first.
    const Candidates list = waitForCandidates(
        monitor,
        [&](const Candidates& list) { return !list.empty() && std::ranges::all_of(list, found); },
        5s);
    ASSERT_FALSE(list.empty()) << "no candidates reached the field";
    EXPECT_TRUE(list.front().starts_with(fire)) << list.front();
    EXPECT_TRUE(std::ranges::all_of(list, found)) << ::testing::PrintToString(list);
    EXPECT_EQ(entry.text(), "");
    // The list is drawn a moment after it is sent; the README shows it.
    std::this_thread::sleep_for(300ms);
    const std::filesystem::path picture = session.home() / "preedit.png";
    if (ChildProcess::run(session.command({"grim", picture.string()})).succeeded()) {
        std::error_code ignored;
        std::filesystem::copy_file(picture, TIKLO_SWAY_SCREENSHOT,
                                   std::filesystem::copy_options::overwrite_existing, ignored);
    }
    // A second keyboard takes the focus from the field for a moment: the query goes in as
    // typed rather than being lost.
    ASSERT_TRUE(type(session, {"-k", "Escape"}));
    EXPECT_EQ(entry.waitForText(";fi", 5s), ";fi");

    const ChildProcess tiklo(
        session.command({"env", "DISPLAY=" + session.xDisplay(), TIKLO_EXECUTABLE}),
        {.output = ChildProcess::Stream::discard, .errors = ChildProcess::Stream::discard});
    ASSERT_TRUE(
        pollFor([&] { return busNameOwned("org.tiklo.Tiklo", session.launcher()); }, 20s, 100ms))
        << "the program did not come on the session bus";
    const auto openPicker = [&] {
        return type(session, {"-M", "ctrl", "-M", "alt", "-k", "e", "-m", "alt", "-m", "ctrl"}) &&
               pollFor([&] { return session.focusedWindow() == "Tiklo"; }, 10s, 50ms);
    };
    ASSERT_TRUE(entry.setText(""));
    ASSERT_TRUE(openPicker()) << "the picker did not come up with the keyboard";
    ASSERT_TRUE(type(session, {"fire", "-k", "Return"}));
    EXPECT_EQ(entry.waitForText(fire, 5s), fire);
    ASSERT_TRUE(type(session, {" is hot"}));
    EXPECT_EQ(entry.waitForText(fire + " is hot", 5s), fire + " is hot");
    // Escape puts nothing in, and the field has the keyboard again.
    ASSERT_TRUE(openPicker()) << "the picker did not come up again";
    ASSERT_TRUE(type(session, {"-k", "Escape"}));
    ASSERT_TRUE(pollFor([&] { return session.focusedWindow() != "Tiklo"; }, 5s, 50ms));
    ASSERT_TRUE(type(session, {"!"}));
    EXPECT_EQ(entry.waitForText(fire + " is hot!", 5s), fire + " is hot!");

    // A search naming a group has a row that opens the picker there, for this field: Return
    // takes the group's first symbol.
    const EmojiCatalog& catalog = EmojiCatalog::shared();
    const std::size_t groupRow = namedGroupRow(catalog.inlineSearch("arrows", {}, {}, {}).size());
    const std::vector<EmojiItem>& symbols = catalog.ofKind(ItemKind::symbol).all();
    const auto firstArrow = std::ranges::find(symbols, "arrows", &EmojiItem::group);
    ASSERT_NE(firstArrow, symbols.end());
    ASSERT_TRUE(entry.setText(""));
    // One keyboard for the search: a new one takes the focus from the field for a moment.
    // (wtype's keys have no place on a digit row for Ctrl with a digit to choose by.)
    std::vector<std::string> toGroup{";arrows"};
    for (std::size_t row = 0; row < groupRow; ++row) {
        toGroup.insert(toGroup.end(), {"-k", "Down"});
    }
    toGroup.insert(toGroup.end(), {"-k", "Return"});
    ASSERT_TRUE(type(session, toGroup));
    ASSERT_TRUE(pollFor([&] { return session.focusedWindow() == "Tiklo"; }, 10s, 50ms))
        << "the group's row opened no picker: " << entry.text().value_or("?");
    ASSERT_TRUE(type(session, {"-k", "Return"}));
    EXPECT_EQ(entry.waitForText(firstArrow->emoji, 5s), firstArrow->emoji);
}

} // namespace
} // namespace tiklo::test
