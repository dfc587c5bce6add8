// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerController.h"
#include "app/AppState.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

class FakePanel : public PickerPanel {
public:
    Rect frame() const override { return rect; }
    void resize(double width, double height) override {
        rect.width = width;
        rect.height = height;
    }
    void setMovableByBackground(bool value) override { movable = value; }
    void move(Point topLeft) override {
        rect.x = topLeft.x;
        rect.y = topLeft.y;
    }
    void prepare() override { ++prepared; }
    void show(bool isAnimated, double, double) override {
        animated = isAnimated;
        visible = true;
        key = key || activatesAtOnce;
    }
    void hide() override {
        visible = false;
        key = false;
    }
    bool isActive() const override { return key; }
    void setActivatedHandler(std::function<void()> handler) override {
        activated = std::move(handler);
    }
    void setDeactivatedHandler(std::function<void()> handler) override {
        deactivated = std::move(handler);
    }
    void setKeyHandler(std::function<bool(const PickerKeyEvent&)> handler) override {
        keys = std::move(handler);
    }
    void loseKey() {
        key = false;
        deactivated();
    }
    void getKey() {
        key = true;
        activated();
    }

    Rect rect;
    bool movable = false;
    bool animated = false;
    bool visible = false;
    bool key = false;
    bool activatesAtOnce = true;
    int prepared = 0;
    std::function<void()> activated;
    std::function<void()> deactivated;
    std::function<bool(const PickerKeyEvent&)> keys;
};

class PickerControllerTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    PickerControllerTest() {
        screens.areas = {{{0, 0, 1440, 900}, {0, 25, 1440, 875}}};
        screens.mouse = {700, 400};
        workspace.frontmost = RunningApplication{"org.gnome.gedit", 9, 10};
    }

    EmojiCatalog catalog{std::vector<EmojiItem>{
        {"\U0001F525", "fire", "fire", EmojiCategory::animals, {}, false},
        {"\U0001F44D", "thumbs up", "thumbsup", EmojiCategory::people, {"+1"}, true}}};
    test::FakeTextInjector injector;
    test::FakeScreens screens;
    PickerSession session{
        {[this]() -> const EmojiCatalog& { return catalog; }, state, history, injector}};
    std::optional<Rect> caret;
    bool secretField = false;
    int panelsMade = 0;
    FakePanel* panel = nullptr;
    test::FakeKeyboardHold hold;
    PickerController picker{{session, state, workspace, screens, hold,
                             [this] {
                                 return FocusedField{caret, secretField};
                             },
                             [this]() -> std::unique_ptr<PickerPanel> {
                                 ++panelsMade;
                                 auto made = std::make_unique<FakePanel>();
                                 panel = made.get();
                                 return made;
                             }}};
};

TEST_F(PickerControllerTest, InlineShowFillsTheSessionAndPlacesThePopup) {
    session.setCommandHeld(true);
    picker.show("", 1, std::nullopt, view::Presentation::Inline);
    EXPECT_EQ(session.targetApp()->appID, "org.gnome.gedit"); // the frontmost one
    EXPECT_EQ(session.replacementBackspaces(), 1);
    EXPECT_FALSE(session.commandHeld());
    EXPECT_EQ(session.resultCount(), 2);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->rect, (Rect{676, 400 + 18, 420, 326})); // no caret: below the mouse
    EXPECT_TRUE(panel->animated);
    EXPECT_FALSE(panel->movable);

    caret = Rect{500, 282, 2, 18};
    screens.reducedMotion = true;
    picker.show("", 1, RunningApplication{"given", 1, 1}, view::Presentation::Inline);
    EXPECT_EQ(session.targetApp()->appID, "given");
    EXPECT_EQ(panel->rect, (Rect{484, 310, 420, 326}));
    EXPECT_FALSE(panel->animated);
    EXPECT_EQ(panelsMade, 1);
}

TEST_F(PickerControllerTest, LosingTheKeyboardClosesOnlyTheInlinePopup) {
    picker.show("", 1, std::nullopt, view::Presentation::Inline);
    session.setSearchText("fi");
    panel->loseKey();
    QCoreApplication::processEvents();
    EXPECT_FALSE(panel->visible);
    EXPECT_EQ(session.query(), "");
    EXPECT_EQ(session.replacementBackspaces(), 0);
    EXPECT_TRUE(injector.reactivated.empty()); // the focus stays where the user put it

    // The hotkey while the popup is open turns it into the full picker.
    picker.show("", 1, std::nullopt, view::Presentation::Inline);
    picker.show("", 0, std::nullopt, view::Presentation::Full);
    EXPECT_EQ(panel->rect, (Rect{410, 25 + 437.5 - 235 - 60, 620, 470}));
    EXPECT_EQ(session.replacementBackspaces(), 0);
    panel->loseKey();
    QCoreApplication::processEvents();
    EXPECT_TRUE(panel->visible);
}

TEST_F(PickerControllerTest, KeysTypedWhileThePickerOpensAreHeldUntilItHasTheKeyboard) {
    // Every showing holds the keys first and asks for them to follow once the picker has the
    // keyboard (the hold waits for that itself).
    picker.show("", 1, std::nullopt, view::Presentation::Inline);
    picker.show("", 0, std::nullopt, view::Presentation::Full);
    EXPECT_EQ(hold.holds, 2);
    EXPECT_EQ(hold.releasedToOwnWindow, 2);
    EXPECT_EQ(hold.releasedToFocus, 0);

    // A picker that never got the keyboard gives what was held to the focus when it goes.
    panel->loseKey();
    panel->activatesAtOnce = false;
    picker.show("", 1, std::nullopt, view::Presentation::Inline);
    hold.holding = true; // the hold still waits for the picker
    picker.hide();
    EXPECT_EQ(hold.releasedToFocus, 1);
    EXPECT_FALSE(hold.holding);
    picker.hide();
    EXPECT_EQ(hold.releasedToFocus, 1);

    // One that had it leaves any later hold alone (an insertion's, say).
    picker.show("", 1, std::nullopt, view::Presentation::Inline);
    panel->getKey();
    hold.holding = true;
    picker.hide();
    EXPECT_EQ(hold.releasedToFocus, 1);
    EXPECT_TRUE(hold.holding);
}

// Keys pressed after the prefix, but before the hold began, reached the application: the
// characters among them that keep the query a search join it and are replaced with the prefix.
TEST_F(PickerControllerTest, KeysThatSlippedPastTheHoldJoinTheQueryOrMakeThePopupGiveWay) {
    const auto press = [](KeySym sym, std::optional<std::string> text, std::uint32_t time,
                          Modifiers modifiers = {}) {
        KeyDown key{{sym, modifiers}, std::move(text)};
        key.scanCode = 40;
        key.time = time;
        return key;
    };
    picker.show("", 1, std::nullopt, view::Presentation::Inline);
    hold.holding = true; // the hold waits for the popup
    picker.keyTypedWhileHolding(press(keysym::letter('f'), "f", 1));
    picker.keyTypedWhileHolding(press(0xffe1 /* Shift_L */, std::nullopt, 2));
    picker.keyTypedWhileHolding(press(keysym::letter('i'), "I", 3, Modifier::shift));
    picker.keyTypedWhileHolding(press(keysym::letter('e'), "\u00e9", 4));
    EXPECT_EQ(session.query(), "fI\u00e9");
    EXPECT_EQ(session.replacementBackspaces(), 4);
    // Keys the hold took go to the popup's field by themselves.
    hold.taken.insert({40, 5});
    picker.keyTypedWhileHolding(press(keysym::letter('r'), "r", 5));
    // Once the popup has the keyboard, keys are its own.
    panel->getKey();
    picker.keyTypedWhileHolding(press(keysym::letter('x'), "x", 6));
    EXPECT_EQ(session.query(), "fI\u00e9");
    EXPECT_EQ(session.replacementBackspaces(), 4);
    EXPECT_TRUE(panel->visible);

    // Punctuation that ends the search, and any key that acts in the application (Backspace,
    // a shortcut, Return) make the popup give way: it is all in the application already, so
    // nothing is typed; the application gets the keyboard back, then the keys held.
    std::uint32_t time = 7;
    for (const std::vector<KeyDown>& keys :
         std::vector<std::vector<KeyDown>>{{press(keysym::space, " ", 0)},
                                           {press(')', ")", 0)},
                                           {press(keysym::letter('f'), "f", 0), press('=', "=", 0)},
                                           {press(keysym::backSpace, "\b", 0)},
                                           {press(keysym::letter('a'), "a", 0, Modifier::ctrl)},
                                           {press(keysym::returnKey, "\r", 0)},
                                           {press(keysym::escape, "\x1b", 0)}}) {
        picker.show("", 1, std::nullopt, view::Presentation::Inline);
        hold.holding = true;
        const std::size_t given = injector.replaced.size();
        for (KeyDown key : keys) {
            key.time = time++;
            picker.keyTypedWhileHolding(key);
        }
        const KeySym last = keys.back().key.sym;
        EXPECT_FALSE(panel->visible) << last;
        ASSERT_EQ(injector.replaced.size(), given + 1) << last;
        EXPECT_EQ(injector.replaced.back().backspaces, 0) << last;
        EXPECT_EQ(injector.replaced.back().text, "") << last;
        EXPECT_EQ(injector.replaced.back().app->appID, "org.gnome.gedit") << last;
        EXPECT_EQ(hold.releasedToFocus, 0) << last; // the injector's to release, after
        EXPECT_EQ(session.query(), "");
    }
    // A key that keeps it a search goes on with it.
    picker.show("", 1, std::nullopt, view::Presentation::Inline);
    hold.holding = true;
    picker.keyTypedWhileHolding(press('+', "+", time++));
    EXPECT_EQ(session.query(), "+");
    EXPECT_TRUE(panel->visible);

    // The full picker was opened by the hotkey, not by a prefix typed in the application.
    picker.show("", 0, std::nullopt, view::Presentation::Full);
    hold.holding = true;
    picker.keyTypedWhileHolding(press(keysym::letter('f'), "f", time++));
    EXPECT_EQ(session.query(), "");
    EXPECT_TRUE(panel->visible);
}

TEST_F(PickerControllerTest, NothingOpensInAPasswordField) {
    session.setSearchText("before");
    secretField = true;
    picker.show("", 1, std::nullopt, view::Presentation::Inline);
    EXPECT_EQ(panelsMade, 0);
    // The session is not filled: no target, no query, nothing to insert.
    EXPECT_EQ(session.query(), "before");
    EXPECT_EQ(session.replacementBackspaces(), 0);
    // What was typed after the prefix goes on into the field.
    EXPECT_EQ(hold.releasedToFocus, 1);
    EXPECT_FALSE(hold.holding);

    // The full picker is asked for by the hotkey, not by typing: it opens.
    picker.show("", 0, std::nullopt, view::Presentation::Full);
    EXPECT_EQ(panelsMade, 1);
    secretField = false;
    picker.show("", 1, std::nullopt, view::Presentation::Inline);
    EXPECT_EQ(session.replacementBackspaces(), 1);
}

TEST_F(PickerControllerTest, KeysReachTheSessionOnlyWhileThePanelHasTheKeyboard) {
    picker.show("", 1, std::nullopt, view::Presentation::Inline);
    session.setSearchText("fi");
    const PickerKeyEvent returnKey{PickerKeyEvent::Type::keyDown, {keysym::returnKey}};
    // Keys reached it, so it has the keyboard, though the window system has not said so yet:
    // the hold the choice begins is the choice's, not the opening's, and hiding keeps it.
    hold.holding = true;
    EXPECT_TRUE(panel->keys(returnKey));
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_FALSE(panel->visible); // hidden before typing
    EXPECT_EQ(hold.releasedToFocus, 0);
    EXPECT_TRUE(hold.holding);
    EXPECT_FALSE(panel->keys(returnKey));
    EXPECT_EQ(injector.replaced.size(), 1u);

    // Grid moves by rows only in the full picker.
    state.setPickerMode(view::PickerMode::Grid);
    EXPECT_FALSE(picker.isGridLayout());
    picker.show("", 0, std::nullopt, view::Presentation::Full);
    EXPECT_TRUE(picker.isGridLayout());
}

} // namespace
} // namespace tiklo
