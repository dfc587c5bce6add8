// Semicolon search through a real fcitx5 on a private X11 desktop: fcitx5 with only the
// addons it needs and Tiklo's, a GTK 3 entry talking to it (GTK_IM_MODULE=fcitx), and
// xdotool as the user's hands at 12 ms a key.
#include "e2e/TargetEntry.h"
#include "support/ChildProcess.h"
#include "support/Poll.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/XvfbSession.h"

#include <fcitx-utils/standardpath.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>

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
        const std::filesystem::path runtime = home_.path() / "runtime";
        std::filesystem::create_directories(runtime);
        chmod(runtime.c_str(), 0700);
        environment_.set("HOME", home_.path().string());
        environment_.set("XDG_CONFIG_HOME", (home_.path() / "config").string());
        environment_.set("XDG_DATA_HOME", (home_.path() / "data").string());
        environment_.set("XDG_CACHE_HOME", (home_.path() / "cache").string());
        environment_.set("XDG_RUNTIME_DIR", runtime.string());
        environment_.set("NO_AT_BRIDGE", "1");
        environment_.set("GSETTINGS_BACKEND", "memory");
        // The build's addon first; the list replaces fcitx5's own folder, so it comes again.
        environment_.set("FCITX_ADDON_DIRS", std::string(TIKLO_FCITX5_ADDON_DIR) + ":" +
                                                 fcitx::StandardPath::fcitxPath("addondir"));
        environment_.set("FCITX_DATA_DIRS", TIKLO_FCITX5_DATA_DIR);
        fcitx_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{"fcitx5", "--disable=all",
                                     "--enable=keyboard,xcb,dbus,dbusfrontend,classicui,"
                                     "tiklo-fcitx5"},
            ChildProcess::Options{.output = ChildProcess::Stream::discard,
                                  .errors = ChildProcess::Stream::discard});
        // Asked of the bus, never of fcitx5: the private bus activates nothing, but a call to
        // a name nobody owns yet would fail rather than wait.
        const bool onBus = pollFor(
            [] {
                const ChildProcess::Exit answer = ChildProcess::run(
                    {"dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                     "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                     "string:org.fcitx.Fcitx5"});
                return answer.output.find("boolean true") != std::string::npos;
            },
            15s, 50ms);
        if (!onBus) {
            error_ = "fcitx5 did not come on the session bus";
            return;
        }
        environment_.set("GTK_IM_MODULE", "fcitx");
        target_ = std::make_unique<TargetEntry>("");
        if (!target_->ready()) {
            error_ = "the target entry did not come up with the keyboard";
            return;
        }
        // The entry reaches fcitx5 some time after it has the focus; until then a search is
        // plain text. Ready once one inserts.
        const bool served = pollFor(
            [this] {
                target_->setText("");
                type(";fire\n");
                return target_->waitForText(fire, 1s) == fire;
            },
            15s, 100ms);
        if (!served) {
            error_ = "the entry never reached fcitx5";
            return;
        }
        target_->setText("");
    }

    bool ready() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    TargetEntry& target() { return *target_; }

    // xdotool's own pace: 12 ms a key; "\n" types Return.
    static bool type(const std::string& text) {
        return ChildProcess::run({"xdotool", "type", "--delay", "12", text}).succeeded();
    }
    static bool key(const std::string& keys) {
        return ChildProcess::run({"xdotool", "key", "--delay", "12", keys}).succeeded();
    }

private:
    ScopedEnvironment environment_;
    TempDir home_;
    std::unique_ptr<XvfbSession> session_;
    std::unique_ptr<ChildProcess> fcitx_;
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
        EXPECT_TRUE(Fcitx5Desktop::type(keys));
        return desktop_->target().waitForText(expected, 5s);
    }

    std::unique_ptr<Fcitx5Desktop> desktop_;
};

// The search in the field: the query is preedit, not text, until Return puts the emoji in
// its place, and the keys typed right after it land after it.
TEST_F(Fcitx5EndToEndTest, SearchesInsertInPlaceAndPunctuationStaysAsTyped) {
    ASSERT_TRUE(Fcitx5Desktop::type(";fi"));
    EXPECT_EQ(desktop_->target().waitForText("", 1s), "");
    EXPECT_TRUE(Fcitx5Desktop::key("Escape"));
    EXPECT_EQ(desktop_->target().waitForText(";fi", 5s), ";fi");

    EXPECT_EQ(typed(";fire\n is hot", fire + " is hot"), fire + " is hot");
    EXPECT_EQ(typed("hot ;fire", "hot "), "hot ");
    EXPECT_TRUE(Fcitx5Desktop::key("ctrl+1"));
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

} // namespace
} // namespace tiklo::test
