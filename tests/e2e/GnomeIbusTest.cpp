// SPDX-License-Identifier: GPL-3.0-or-later
// Semicolon search on GNOME under Wayland: GNOME Shell on a headless monitor with the IBus
// engine from the build as its input source, native Wayland GTK 3 and GTK 4 entries that reach
// it through the shell's text-input support, and the shell's remote-desktop keyboard as the
// user's hands. The shell draws the engine's candidates itself.
#include "e2e/GnomeSession.h"
#include "e2e/TargetEntry.h"
#include "support/Poll.h"

#include <gtest/gtest.h>

#include <QImage>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

const std::string fire = "\U0001F525";
constexpr unsigned returnKeysym = 0xff0d;
constexpr unsigned escapeKeysym = 0xff1b;

// How many pixels of `after` differ clearly from `before`'s; nothing when either is unreadable.
std::optional<int> changedPixels(const std::filesystem::path& before,
                                 const std::filesystem::path& after) {
    const QImage first =
        QImage(QString::fromStdString(before.string())).convertToFormat(QImage::Format_RGB32);
    const QImage second =
        QImage(QString::fromStdString(after.string())).convertToFormat(QImage::Format_RGB32);
    if (first.isNull() || first.size() != second.size()) {
        return std::nullopt;
    }
    int changed = 0;
    for (int y = 0; y < first.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(first.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(second.constScanLine(y));
        for (int x = 0; x < first.width(); ++x) {
            const int difference = std::abs(qRed(a[x]) - qRed(b[x])) +
                                   std::abs(qGreen(a[x]) - qGreen(b[x])) +
                                   std::abs(qBlue(a[x]) - qBlue(b[x]));
            changed += difference > 48 ? 1 : 0;
        }
    }
    return changed;
}

// Types the start of a search, `query`, and expects the shell to show a list of a few
// lines once the screen has settled (the query itself, the caret's blink and the clock change
// far fewer pixels). The last screenshot is kept for people to look at.
void expectCandidateList(GnomeSession& session, const std::string& query) {
    constexpr int listPixels = 10000;
    constexpr int settledPixels = 100;
    const std::filesystem::path before = session.home() / "before.png";
    const std::filesystem::path during = session.home() / "search.png";
    const std::filesystem::path previous = session.home() / "previous.png";
    ASSERT_TRUE(session.screenshot(before));
    ASSERT_TRUE(session.type(query));
    const bool changed = pollFor(
        [&] {
            std::error_code ignored;
            std::filesystem::rename(during, previous, ignored);
            if (!session.screenshot(during)) {
                return false;
            }
            const std::optional<int> list = changedPixels(before, during);
            const std::optional<int> moving = changedPixels(previous, during);
            return list && moving && *list >= listPixels && *moving <= settledPixels;
        },
        5s, 200ms);
    std::error_code ignored;
    std::filesystem::copy_file(during, TIKLO_GNOME_SCREENSHOT,
                               std::filesystem::copy_options::overwrite_existing, ignored);
    EXPECT_TRUE(changed) << "the screen shows no candidate list: " << TIKLO_GNOME_SCREENSHOT;
}

// One user's road, in a GTK 3 and then a GTK 4 entry: the search puts the emoji in,
// punctuation and a wink go in as typed, Escape leaves the query as typed, the shell shows the
// candidates at the field, and a password field gets plain text.
TEST(GnomeIbusTest, SearchesInGtk3AndGtk4WaylandFieldsThroughGnomeShell) {
    GnomeSession session;
    if (session.unavailable()) {
        GTEST_SKIP() << "no GNOME Shell for this test: " << session.error();
    }
    ASSERT_TRUE(session.ready()) << session.error();
    for (const auto kind : {TargetEntry::Kind::gtk3Entry, TargetEntry::Kind::gtk4Entry}) {
        const bool gtk3 = kind == TargetEntry::Kind::gtk3Entry;
        SCOPED_TRACE(gtk3 ? "GTK 3" : "GTK 4");
        TargetEntry entry("", kind);
        ASSERT_TRUE(entry.ready()) << "the entry did not get the keyboard in GNOME Shell";
        const auto typed = [&](const std::string& keys, bool thenReturn,
                               const std::string& expected) {
            EXPECT_TRUE(entry.setText(""));
            EXPECT_TRUE(session.type(keys) && (!thenReturn || session.pressKey(returnKeysym)));
            return entry.waitForText(expected, 5s);
        };
        // The entry reaches the engine a while after it has the keyboard; until then a search
        // is text.
        ASSERT_TRUE(pollFor([&] { return typed(";fire", true, fire) == fire; }, 15s, 100ms))
            << "the entry never reached the engine; it holds " << entry.text().value_or("nothing");

        // The query is preedit under the caret, not text, and the shell lists the candidates
        // below it.
        ASSERT_TRUE(entry.setText(""));
        if (gtk3) {
            expectCandidateList(session, ";fi");
        } else {
            ASSERT_TRUE(session.type(";fi"));
            EXPECT_EQ(entry.waitForText("", 1s), "");
        }
        EXPECT_EQ(entry.text(), "");
        ASSERT_TRUE(session.pressKey(escapeKeysym));
        EXPECT_EQ(entry.waitForText(";fi", 5s), ";fi");

        // Prose with a semicolon and a wink goes in as typed.
        EXPECT_EQ(typed("one; two ;) ok", false, "one; two ;) ok"), "one; two ;) ok");

        // A password field: the engine stands aside, and the keys after the Return show that
        // it chose nothing. The field's purpose reaches the engine a while after it changes;
        // until then ";" starts a search rather than going in as text, and Escape ends it.
        ASSERT_TRUE(entry.makeSecret());
        const auto semicolonIsText = [&] {
            if (!entry.setText("") || !session.type(";")) {
                return false;
            }
            if (entry.waitForText(";", 1s) == ";") {
                return true;
            }
            session.pressKey(escapeKeysym);
            entry.waitForText(";", 5s);
            return false;
        };
        ASSERT_TRUE(pollFor(semicolonIsText, 15s))
            << "the engine never took the field for a password field";
        EXPECT_TRUE(session.type("fire") && session.pressKey(returnKeysym) && session.type(" ok"));
        EXPECT_EQ(entry.waitForText(";fire ok", 5s), ";fire ok");
    }
}

} // namespace
} // namespace tiklo::test
