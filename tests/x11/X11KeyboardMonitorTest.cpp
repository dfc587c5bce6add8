#include "platform/linux/X11KeyboardMonitor.h"
#include "platform/linux/SyntheticEventLedger.h"
#include "support/X11TestEnvironment.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace tiklo {
namespace {

using namespace modifierFlags;
using test::qtConnection;
using test::qtRootWindow;
using test::waitUntil;
using test::xdotool;

constexpr std::uint16_t unknown = XkbKeyTranslator::unknownKeyCode;
constexpr std::uint16_t f12KeyCode = 111;

// What the handler was given, comparable as a whole.
struct Seen {
    std::uint16_t keyCode;
    std::uint64_t flags;
    std::optional<std::string> characters;

    bool operator==(const Seen&) const = default;
};

void PrintTo(const Seen& seen, std::ostream* out) {
    *out << "{" << seen.keyCode << ", 0x" << std::hex << seen.flags << std::dec << ", "
         << (seen.characters ? "\"" + *seen.characters + "\"" : std::string("none")) << "}";
}

using Keys = std::vector<Seen>;

bool setxkbmap(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("setxkbmap"), arguments);
    return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

class X11KeyboardMonitorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(install()); }

    bool install() {
        return monitor
            .install([this](const KeyDown& key) {
                EXPECT_FALSE(key.synthetic);
                seen.push_back({key.keyCode, key.flags, key.charactersIgnoringModifiers});
            })
            .ok();
    }

    // The keys running xdotool with `arguments` reports. F12 ends every run: once it has
    // arrived, so has everything typed before it.
    Keys keysFor(const QStringList& arguments) {
        seen.clear();
        EXPECT_TRUE(xdotool(arguments));
        EXPECT_TRUE(xdotool({"key", "F12"}));
        EXPECT_TRUE(
            waitUntil([this] { return !seen.empty() && seen.back().keyCode == f12KeyCode; }));
        if (!seen.empty() && seen.back().keyCode == f12KeyCode) {
            seen.pop_back();
        }
        return seen;
    }

    SyntheticEventLedger ledger;
    X11KeyboardMonitor monitor{qtConnection(), qtRootWindow(), ledger};
    Keys seen;
};

TEST_F(X11KeyboardMonitorTest, ReportsTheUsersKeysWithCharactersIgnoringModifiersAndFlags) {
    EXPECT_EQ(keysFor({"type", ";"}), (Keys{{41, 0, ";"}}));
    EXPECT_EQ(keysFor({"key", "a"}), (Keys{{0, 0, "a"}}));
    // The modifier keys themselves come first, with no code of their own and no text.
    EXPECT_EQ(keysFor({"key", "shift+semicolon"}), (Keys{{unknown, 0, {}}, {41, shift, ":"}}));
    EXPECT_EQ(keysFor({"key", "ctrl+semicolon"}), (Keys{{unknown, 0, {}}, {41, control, ";"}}));
    EXPECT_EQ(keysFor({"key", "super+alt+a"}),
              (Keys{{unknown, 0, {}}, {unknown, command, {}}, {0, command | option, "a"}}));
    // Caps Lock is a lock: letters turn upper-case, no flag is set.
    EXPECT_EQ(keysFor({"key", "Caps_Lock", "a", "semicolon", "Caps_Lock", "a"}),
              (Keys{{unknown, 0, {}}, {0, 0, "A"}, {41, 0, ";"}, {unknown, 0, {}}, {0, 0, "a"}}));
    EXPECT_EQ(keysFor({"key", "Return", "BackSpace"}), (Keys{{36, 0, {}}, {51, 0, {}}}));
}

TEST_F(X11KeyboardMonitorTest, DeadKeysTypeNothingOnceTheLayoutHasChanged) {
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("setxkbmap")).isEmpty())
        << "setxkbmap (x11-xkb-utils) is needed";
    EXPECT_EQ(keysFor({"key", "apostrophe"}), (Keys{{39, 0, "'"}}));

    ASSERT_TRUE(setxkbmap({"-layout", "us", "-variant", "intl"}));
    // The keymap is read again at the first key after the change.
    EXPECT_EQ(keysFor({"key", "dead_acute"}), (Keys{{39, 0, {}}}));
    EXPECT_EQ(keysFor({"key", "a", "semicolon"}), (Keys{{0, 0, "a"}, {41, 0, ";"}}));

    ASSERT_TRUE(setxkbmap({"-layout", "us"}));
    EXPECT_EQ(keysFor({"key", "apostrophe"}), (Keys{{39, 0, "'"}}));
}

TEST_F(X11KeyboardMonitorTest, KeysInTheLedgerAreNotReportedAndReleasesSettleItToo) {
    const xcb_keycode_t a = 38; // on Xvfb's evdev keymap
    ledger.append(a, true);
    ledger.append(a, false);
    // The first press and release are taken for Tiklo's own; the second press is the user's.
    EXPECT_EQ(keysFor({"key", "a", "a"}), (Keys{{0, 0, "a"}}));
    EXPECT_EQ(ledger.size(), 0U);
}

TEST_F(X11KeyboardMonitorTest, RemovedMonitorReportsNothingUntilInstalledAgain) {
    monitor.remove();
    ASSERT_TRUE(xdotool({"key", "a", "F12"}));
    EXPECT_FALSE(waitUntil([this] { return !seen.empty(); }, std::chrono::milliseconds(300)));

    ASSERT_TRUE(install());
    EXPECT_EQ(keysFor({"key", "a"}), (Keys{{0, 0, "a"}}));
}

} // namespace
} // namespace tiklo
