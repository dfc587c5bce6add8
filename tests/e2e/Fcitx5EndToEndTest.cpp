// Semicolon search through a real fcitx5 on a private X11 desktop: fcitx5 with only the
// addons it needs and Tiklo's, a GTK 3 entry talking to it (GTK_IM_MODULE=fcitx), and
// xdotool as the user's hands at 12 ms a key.
#include "e2e/Fcitx5Process.h"
#include "e2e/TargetEntry.h"
#include "e2e/TikloDesktop.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/TextFieldProcess.h"
#include "support/XvfbSession.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

const std::string fire = "\U0001F525";

class Fcitx5Desktop {
public:
    Fcitx5Desktop() {
        session_ = std::make_unique<XvfbSession>(
            XvfbSession::Options{.windowManager = true, .sessionBus = true});
        if (!session_->ready()) {
            error_ = "no test display: " + session_->error();
            return;
        }
        environment_.set("XDG_CONFIG_HOME", (home_.path() / "config").string());
        environment_.set("XDG_RUNTIME_DIR", (home_.path() / "runtime").string());
        environment_.set("NO_AT_BRIDGE", "1");
        fcitx_ = std::make_unique<Fcitx5Process>(environment_, home_.path());
        if (!fcitx_->ready()) {
            error_ = fcitx_->error();
            return;
        }
        target_ = std::make_unique<TargetEntry>("");
        if (!target_->ready()) {
            error_ = "the target entry did not come up with the keyboard";
            return;
        }
        if (!Fcitx5Process::waitUntilServed(*target_)) {
            error_ = "the entry never reached fcitx5";
        }
    }

    bool ready() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    TargetEntry& target() { return *target_; }

private:
    ScopedEnvironment environment_;
    TempDir home_;
    std::unique_ptr<XvfbSession> session_;
    std::unique_ptr<Fcitx5Process> fcitx_;
    std::unique_ptr<TargetEntry> target_;
    std::string error_;
};

class Fcitx5EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        desktop_ = std::make_unique<Fcitx5Desktop>();
        ASSERT_TRUE(desktop_->ready()) << desktop_->error();
    }

    // Types `keys` from an empty entry; what the entry holds once it settles on `expected`.
    std::string typed(const std::string& keys, const std::string& expected) {
        desktop_->target().setText("");
        EXPECT_TRUE(TikloDesktop::type(keys));
        return desktop_->target().waitForText(expected, 5s);
    }

    std::unique_ptr<Fcitx5Desktop> desktop_;
};

// The search in the field: the query is preedit, not text, until Return puts the emoji in
// its place, and the keys typed right after it land after it.
TEST_F(Fcitx5EndToEndTest, SearchesInsertInPlaceAndPunctuationStaysAsTyped) {
    ASSERT_TRUE(TikloDesktop::type(";fi"));
    EXPECT_EQ(desktop_->target().waitForText("", 1s), "");
    EXPECT_TRUE(TikloDesktop::key("Escape"));
    EXPECT_EQ(desktop_->target().waitForText(";fi", 5s), ";fi");

    EXPECT_EQ(typed(";fire\n is hot", fire + " is hot"), fire + " is hot");
    EXPECT_EQ(typed("hot ;fire", "hot "), "hot ");
    EXPECT_TRUE(TikloDesktop::key("ctrl+1"));
    EXPECT_EQ(desktop_->target().waitForText("hot " + fire, 5s), "hot " + fire);
    for (const std::string line :
         {"one; two", "wink ;) ok", "a ;-) b", "so ;D nice", "for(i=0;i<n;i++)"}) {
        EXPECT_EQ(typed(line, line), line);
    }
}

// A password entry gets the prefix and the query as text, and Return chooses nothing.
TEST_F(Fcitx5EndToEndTest, PasswordEntriesGetTheTextAsTyped) {
    ASSERT_TRUE(desktop_->target().makeSecret());
    EXPECT_EQ(typed(";fire\n", ";fire"), ";fire");
}

// Tiklo's program beside fcitx5 on one desktop, listening, and a GTK entry that fcitx5 serves
// with the keyboard.
class Fcitx5BesideTikloTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop.ready()) << desktop.error();
        fcitx5 = std::make_unique<Fcitx5Process>(environment, fcitxHome.path());
        ASSERT_TRUE(fcitx5->ready()) << fcitx5->error();
        // GTK takes a key sent to its window only from the core protocol.
        environment.set("GDK_CORE_DEVICE_EVENTS", "1");
        entry = std::make_unique<TargetEntry>("");
        ASSERT_TRUE(entry->ready());
        ASSERT_TRUE(Fcitx5Process::waitUntilServed(*entry));
        ASSERT_TRUE(desktop.startTikloListening()) << desktop.error();
    }

    TikloDesktop desktop{{.initialText = "", .target = false}};
    const TempDir fcitxHome;
    ScopedEnvironment environment;
    std::unique_ptr<Fcitx5Process> fcitx5;
    std::unique_ptr<TargetEntry> entry;
};

// Tiklo's program on the same desktop leaves the fields that fcitx5 holds to the addon: one
// search and one emoji there, and its own popup again once the focus is in a field fcitx5
// does not hold.
TEST_F(Fcitx5BesideTikloTest, TheProgramStandsDownWhileFcitx5HoldsTheFocusedField) {

    // Had the program opened its popup too, the entry would have lost the focus, and fcitx5
    // would have put the query into it as text.
    ASSERT_TRUE(TikloDesktop::type(";fi"));
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(desktop.visiblePopups().empty());
    EXPECT_EQ(entry->text(), "");
    ASSERT_TRUE(TikloDesktop::type("re\n is hot"));
    EXPECT_EQ(entry->waitForText(fire + " is hot", 5s), fire + " is hot");

    // A Qt field with no input method: the keys are the program's to watch again.
    TextFieldProcess field;
    ASSERT_TRUE(field.ready());
    ASSERT_TRUE(desktop.type(";"));
    EXPECT_TRUE(desktop.waitForActivePopup(10s));
    EXPECT_EQ(entry->waitForText(fire + " is hot", 1s), fire + " is hot");
}

// Where the program cannot see the picker's shortcut (a Wayland field), the addon asks it for
// the picker; the emoji chosen there goes into the field through fcitx5 once the field has
// the focus back. The shortcut is sent to the entry's own window, past the program's grab,
// as the keys of a Wayland field pass Tiklo by.
TEST_F(Fcitx5BesideTikloTest, ThePickerShortcutInAFieldOfFcitx5GetsItsEmojiThroughTheAddon) {
    const std::optional<TikloDesktop::WindowID> entryWindow = desktop.activeWindow();
    ASSERT_TRUE(entryWindow);

    ASSERT_TRUE(TikloDesktop::keyInto(*entryWindow, "ctrl+alt+e"));
    ASSERT_TRUE(desktop.waitForActivePopup(10s));
    ASSERT_TRUE(desktop.type("fire"));
    ASSERT_TRUE(desktop.key("Return"));
    EXPECT_EQ(entry->waitForText(fire, 5s), fire);
    // The keys typed on go after it, into the entry->
    ASSERT_TRUE(TikloDesktop::type(" is hot"));
    EXPECT_EQ(entry->waitForText(fire + " is hot", 5s), fire + " is hot");

    // Escape: nothing goes in, and the entry has the keyboard again.
    ASSERT_TRUE(TikloDesktop::keyInto(*entryWindow, "ctrl+alt+e"));
    ASSERT_TRUE(desktop.waitForActivePopup(10s));
    ASSERT_TRUE(desktop.key("Escape"));
    ASSERT_TRUE(TikloDesktop::type("!"));
    EXPECT_EQ(entry->waitForText(fire + " is hot!", 5s), fire + " is hot!");

    // Only the program that holds Tiklo's name puts text in, not any client of the bus.
    EXPECT_TRUE(
        ChildProcess::run({"dbus-send", "--session", "--print-reply", "--dest=org.fcitx.Fcitx5",
                           "/org/tiklo/Fcitx5", "org.tiklo.Fcitx5.Commit", "string:stranger"})
            .succeeded());
    ASSERT_TRUE(TikloDesktop::type("?"));
    EXPECT_EQ(entry->waitForText(fire + " is hot!?", 5s), fire + " is hot!?");
}

} // namespace
} // namespace tiklo::test
