// Semicolon search on Wayland: sway on a headless output, fcitx5 with its Wayland addons, a
// native Wayland GTK 3 entry talking to fcitx5 through its GTK module over D-Bus, and wtype as
// the user's hands at 12 ms a key.
//
// Every wtype run is a keyboard of its own, so the field loses the focus between two runs:
// the keys of one search go in one run.
#include "e2e/DefaultsPlist.h"
#include "e2e/Fcitx5CandidateWatch.h"
#include "e2e/Fcitx5Process.h"
#include "e2e/SwaySession.h"
#include "e2e/TargetEntry.h"
#include "support/Poll.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
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

TEST(Fcitx5WaylandTest, SearchesInTheFieldWithTheQueryUnderlinedAndPunctuationAsTyped) {
    SwaySession session;
    if (session.unavailable()) {
        GTEST_SKIP() << "no Wayland compositor for this test: " << session.error();
    }
    ASSERT_TRUE(session.ready()) << session.error();
    const Fcitx5Process fcitx5(
        session.environment(), session.home(),
        {.displayAddons = "wayland,waylandim", .launcher = session.launcher()});
    ASSERT_TRUE(fcitx5.ready()) << fcitx5.error();
    ASSERT_TRUE(ChildProcess::run(session.command({"test", "-r", TIKLO_TARGET_ENTRY})).succeeded())
        << "the session's user cannot read " << TIKLO_TARGET_ENTRY
        << ": the source and build trees must be readable by all";
    TargetEntry entry("", false, session.launcher());
    ASSERT_TRUE(entry.ready()) << "the GTK entry did not get the keyboard on sway";

    const auto typed = [&](const std::vector<std::string>& keys, const std::string& expected) {
        entry.setText("");
        EXPECT_TRUE(type(session, keys));
        return entry.waitForText(expected, 5s);
    };
    const auto screenshot = [&](const std::string& name) {
        const std::filesystem::path file = session.home() / name;
        const bool taken = ChildProcess::run(session.command({"grim", file.string()})).succeeded();
        return taken ? QImage(QString::fromStdString(file.string())) : QImage();
    };

    // The entry reaches fcitx5 a while after it has the focus; until then a search is text.
    ASSERT_TRUE(pollFor(
        [&] {
            return typed({";fire", "-k", "Return"}, fire) == fire;
        },
        15s, 100ms))
        << "the entry never reached fcitx5";

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

    // The query while it is typed: the field's underlined preedit, and under it the list of
    // candidates that fcitx5 sends to the field and the field's input-method module draws.
    Fcitx5CandidateWatch candidates(session.launcher());
    ASSERT_TRUE(candidates.ready()) << "dbus-monitor did not start";
    ASSERT_TRUE(entry.setText(""));
    const QImage before = screenshot("before.png");
    ASSERT_TRUE(type(session, {";fi"}));
    // "<emoji>  <name>": a word of the name begins with the query.
    const auto found = [](const std::string& candidate) {
        return (" " + candidate.substr(candidate.find("  ") + 2)).find(" fi") != std::string::npos;
    };
    // The lists sent while ";" alone was the query come first.
    const Fcitx5CandidateWatch::List list = candidates.waitForList(
        [&](const Fcitx5CandidateWatch::List& list) {
            return !list.empty() && std::ranges::all_of(list, found);
        },
        5s);
    ASSERT_FALSE(list.empty()) << "no candidates reached the field";
    EXPECT_TRUE(list.front().starts_with(fire)) << list.front();
    for (const std::string& candidate : list) {
        EXPECT_TRUE(found(candidate)) << candidate;
    }
    EXPECT_EQ(entry.text(), "");
    // The list is drawn a moment after it is sent.
    std::this_thread::sleep_for(300ms);
    const QImage during = screenshot("preedit.png");
    during.save(TIKLO_SWAY_SCREENSHOT);
    const std::optional<ScreenRect> caret = entry.caretLine();
    const std::optional<ScreenRect> frame = entry.entryFrame();
    ASSERT_TRUE(caret && frame);
    ASSERT_EQ(before.size(), QSize(1024, 768)) << "grim took no picture of the output";
    ASSERT_EQ(during.size(), before.size());

    // Over the query's line nothing changes; on it, the query appears underlined; under it,
    // the list appears, right under the field, at the query, taller than wide, with the
    // emoji in colour.
    const QRect line(frame->x, caret->y - 2, frame->width, caret->height + 4);
    bool changedAbove = false;
    QRect query;
    QRect drawnList;
    int underline = 0;
    int colourful = 0;
    for (int y = 0; y < during.height(); ++y) {
        int run = 0;
        for (int x = 0; x < during.width(); ++x) {
            const bool changed = during.pixel(x, y) != before.pixel(x, y);
            const QColor colour = during.pixelColor(x, y);
            if (!changed) {
                run = 0;
            } else if (y < line.top()) {
                changedAbove = true;
            } else if (y <= line.bottom()) {
                query = query.united(QRect(x, y, 1, 1));
                run = colour.value() < 128 ? run + 1 : 0;
                underline = std::max(underline, run);
            } else {
                drawnList = drawnList.united(QRect(x, y, 1, 1));
                colourful += colour.hsvSaturation() > 128 && colour.value() > 128;
            }
        }
    }
    EXPECT_FALSE(changedAbove) << "the screen changed over the query's line";
    ASSERT_FALSE(query.isEmpty()) << "the query is not in the field";
    EXPECT_TRUE(line.contains(query)) << "the query is not in the field";
    EXPECT_GE(underline, 10) << "the query is not underlined";
    ASSERT_FALSE(drawnList.isEmpty()) << "no candidate list on screen";
    EXPECT_LE(drawnList.top(), frame->y + frame->height + 2) << "the list is not under the field";
    EXPECT_GE(drawnList.left(), query.left()) << "the list is not at the query";
    EXPECT_LE(drawnList.left(), query.right() + 20) << "the list is not at the query";
    EXPECT_GT(drawnList.height(), drawnList.width()) << "the list is not vertical";
    EXPECT_GE(colourful, 100) << "no emoji drawn in colour in the list";

    // A second keyboard takes the focus from the field for a moment: the query goes in as
    // typed rather than being lost.
    ASSERT_TRUE(type(session, {"-k", "Escape"}));
    EXPECT_EQ(entry.waitForText(";fi", 5s), ";fi");
}

// The picker's shortcut in a Wayland field, which no X11 program sees: the addon asks the
// program, running on XWayland, for its picker; the emoji chosen there goes into the field
// through fcitx5, and the keys typed on land after it.
TEST(Fcitx5WaylandTest, ThePickerShortcutInAWaylandFieldTypesTheChoiceThroughTheAddon) {
    SwaySession session({.xwayland = true});
    if (session.unavailable()) {
        GTEST_SKIP() << "no Wayland compositor for this test: " << session.error();
    }
    ASSERT_TRUE(session.ready()) << session.error();
    const std::filesystem::path settings = session.home() / "config" / "tiklo";
    DefaultsPlist defaults;
    defaults.setBool("didCompleteOnboarding", true);
    ASSERT_TRUE(session.makeFolder(settings) && defaults.save(settings / "defaults.plist") &&
                session.handOver(settings / "defaults.plist"));
    const Fcitx5Process fcitx5(
        session.environment(), session.home(),
        {.displayAddons = "wayland,waylandim", .launcher = session.launcher()});
    ASSERT_TRUE(fcitx5.ready()) << fcitx5.error();
    TargetEntry entry("", false, session.launcher());
    ASSERT_TRUE(entry.ready()) << "the GTK entry did not get the keyboard on sway";
    ASSERT_TRUE(pollFor(
        [&] {
            entry.setText("");
            return type(session, {";fire", "-k", "Return"}) && entry.waitForText(fire, 1s) == fire;
        },
        15s, 100ms))
        << "the entry never reached fcitx5";

    const ChildProcess tiklo(
        session.command({"env", "DISPLAY=" + session.xDisplay(), TIKLO_EXECUTABLE}),
        {.output = ChildProcess::Stream::discard, .errors = ChildProcess::Stream::discard});
    ASSERT_TRUE(pollFor(
        [&] {
            return ChildProcess::run(
                       session.command({"dbus-send", "--session", "--print-reply",
                                        "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
                                        "org.freedesktop.DBus.NameHasOwner",
                                        "string:org.tiklo.Tiklo"}))
                       .output.find("boolean true") != std::string::npos;
        },
        20s, 100ms))
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
}

} // namespace
} // namespace tiklo::test
