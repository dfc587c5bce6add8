// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/DefaultsPlist.h"
#include "e2e/LearnedRanking.h"
#include "e2e/TikloDesktop.h"

#include <thread>

#include <gtest/gtest.h>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

const std::string pizza = "\U0001F355";

// Where things are in the full picker, from its top-left corner: the first tile of the
// first section, and the "Food" entry of the sidebar.
constexpr int firstTileX = 197;
constexpr int firstTileY = 118;
constexpr int foodX = 60;
constexpr int foodY = 228;

// Opens the full picker with the hotkey; its frame once it has the keyboard.
std::optional<ScreenRect> openPicker(TikloDesktop& desktop) {
    const std::optional<TikloDesktop::WindowID> picker =
        desktop.key("ctrl+alt+e") ? desktop.waitForActivePopup() : std::nullopt;
    std::optional<ScreenRect> frame = picker ? desktop.windowFrame(*picker) : std::nullopt;
    if (frame && frame->width != 620) {
        // The inline popup is still on its way out: wait for the full one.
        std::this_thread::sleep_for(100ms);
        frame = desktop.windowFrame(*picker);
    }
    return frame;
}

// One user's road through the full picker: the first one after start takes the keyboard and
// Return types the choice without deleting anything, Escape gives the keyboard back; the
// hotkey turns the inline popup into it, on every desktop; the tile menu inserts and keeps it
// open; a tone chosen for one emoji is the tone that emoji is typed in from then on, also by
// semicolon search; a click on a category, then arrows, choose in it.
TEST(FullPickerTest, FromTheHotkeyToEveryWayOfChoosingInIt) {
    TikloDesktop desktop({.initialText = "note "});
    ASSERT_TRUE(desktop.startTikloListening()) << desktop.error();
    // A fresh picker with `query` typed, its first tile's menu open.
    const auto openTileMenu = [&](const std::string& query) {
        const std::optional<ScreenRect> frame = openPicker(desktop);
        if (!frame || !desktop.type(query)) {
            return false;
        }
        std::this_thread::sleep_for(300ms);
        const bool opened = desktop.click(frame->x + firstTileX, frame->y + firstTileY, 3);
        std::this_thread::sleep_for(300ms);
        return opened;
    };

    // The first picker after start, typed into at xdotool's own pace.
    ASSERT_TRUE(openPicker(desktop));
    ASSERT_TRUE(desktop.type("pizza"));
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(desktop.key("Return"));
    EXPECT_EQ(desktop.target().waitForText("note " + pizza), "note " + pizza);
    EXPECT_TRUE(desktop.waitForPopupHidden());
    EXPECT_TRUE(desktop.waitForTargetActive());
    ASSERT_TRUE(openPicker(desktop));
    ASSERT_TRUE(desktop.key("Escape"));
    EXPECT_TRUE(desktop.waitForPopupHidden());
    EXPECT_TRUE(desktop.waitForTargetActive());
    ASSERT_TRUE(desktop.type(" ok"));
    EXPECT_EQ(desktop.target().waitForText("note " + pizza + " ok"), "note " + pizza + " ok");

    // From the inline popup, to a picker on every desktop.
    ASSERT_TRUE(desktop.trigger(10s));
    std::optional<ScreenRect> frame = openPicker(desktop);
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, 620) << "the inline popup did not turn into the full picker";
    const std::optional<TikloDesktop::WindowID> picker = desktop.activeWindow();
    ASSERT_TRUE(picker);
    const ChildProcess::Exit desktops =
        ChildProcess::run({"xprop", "-id", std::to_string(*picker), "_NET_WM_DESKTOP"});
    EXPECT_EQ(desktops.output, "_NET_WM_DESKTOP(CARDINAL) = 4294967295\n");

    ASSERT_TRUE(desktop.key("Escape"));
    EXPECT_TRUE(desktop.waitForPopupHidden());
    EXPECT_TRUE(desktop.waitForTargetActive());

    // The tile menu's second entry inserts and keeps the picker open, with its query and the
    // keyboard: Return inserts again and closes it.
    ASSERT_TRUE(desktop.target().setText("note "));
    ASSERT_TRUE(openTileMenu("pizza"));
    ASSERT_TRUE(desktop.keySequence({"Down", "Down", "Return"}, 100ms));
    EXPECT_EQ(desktop.target().waitForText("note " + pizza), "note " + pizza);
    ASSERT_TRUE(desktop.waitForActivePopup());
    EXPECT_EQ(desktop.visiblePopups().size(), 1u);
    ASSERT_TRUE(desktop.key("Return"));
    EXPECT_EQ(desktop.target().waitForText("note " + pizza + pizza), "note " + pizza + pizza);
    ASSERT_TRUE(desktop.waitForPopupHidden());

    // The tile menu's third entry opens the tones; the sixth tone is Dark. Other emoji keep
    // the default tone.
    ASSERT_TRUE(desktop.target().setText("note "));
    ASSERT_TRUE(openTileMenu("thumbs up"));
    ASSERT_TRUE(desktop.keySequence({"Down", "Down", "Down", "Return"}, 100ms));
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(
        desktop.keySequence({"Down", "Down", "Down", "Down", "Down", "Down", "Return"}, 100ms));
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(desktop.key("Escape"));
    ASSERT_TRUE(desktop.waitForPopupHidden());
    ASSERT_TRUE(desktop.waitForTargetActive());
    const std::string darkThumbsUp = "\U0001F44D\U0001F3FF";
    ASSERT_TRUE(desktop.keySequence(TikloDesktop::keysFor(";thumbs"), 30ms));
    ASSERT_TRUE(desktop.waitForActivePopup());
    ASSERT_TRUE(desktop.key("Return"));
    EXPECT_EQ(desktop.target().waitForText("note " + darkThumbsUp), "note " + darkThumbsUp);
    ASSERT_TRUE(desktop.waitForPopupHidden());
    // Keys typed while the emoji is on its way follow it as typed; a person pauses first.
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(desktop.type(" "));
    ASSERT_TRUE(desktop.trigger(10s));
    ASSERT_TRUE(desktop.type("wave"));
    ASSERT_TRUE(desktop.key("Return"));
    std::string expected = "note " + darkThumbsUp + " \U0001F44B";
    EXPECT_EQ(desktop.target().waitForText(expected), expected);
    EXPECT_EQ(storedData(desktop.defaultsFile(), "emojiSkinTones"), "{\"\U0001F44D\":\"dark\"}");

    // A category clicked, then arrows: Down moves by a row of eight, in the category's ranking.
    ASSERT_TRUE(desktop.waitForPopupHidden());
    ASSERT_TRUE(desktop.target().setText("note "));
    const std::vector<std::string> food =
        rankedResults("", readHistory(desktop.defaultsFile()), "Food");
    ASSERT_GE(food.size(), 17u);
    frame = openPicker(desktop);
    ASSERT_TRUE(frame);
    ASSERT_TRUE(desktop.click(frame->x + foodX, frame->y + foodY));
    std::this_thread::sleep_for(200ms);
    ASSERT_TRUE(desktop.keySequence({"Down", "Down", "Return"}, 50ms));
    EXPECT_EQ(desktop.target().waitForText("note " + food[16]), "note " + food[16]);
}

} // namespace
} // namespace tiklo::test
