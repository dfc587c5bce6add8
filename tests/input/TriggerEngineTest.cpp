// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/TriggerEngine.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Input = TriggerEngine::Input;

TEST(TriggerEngineTest, DecisionStopsAtEachFailingTest) {
    const std::vector<std::string> excluded{"org.gnome.Terminal"};
    // A typical press that triggers, with one change.
    const auto with = [&](auto change) {
        Input input;
        input.masterEnabled = true;
        input.frontmostAppID = "org.gnome.gedit";
        input.ownAppID = "io.tiklo.Tiklo";
        input.excludedAppIDs = &excluded;
        input.charactersIgnoringModifiers = ";";
        input.triggerPrefix = ";";
        change(input);
        return TriggerEngine::decide(input);
    };
    EXPECT_EQ(with([](Input&) {}), 1);
    EXPECT_FALSE(with([](Input& i) { i.masterEnabled = false; }));
    EXPECT_FALSE(with([](Input& i) { i.frontmostAppID = "org.gnome.Terminal"; }));
    // Exclusions are case-sensitive.
    EXPECT_EQ(with([](Input& i) { i.frontmostAppID = "org.gnome.terminal"; }), 1);
    // Tiklo's own windows never trigger; two unknown ids count as equal, one unknown not.
    EXPECT_FALSE(with([](Input& i) { i.frontmostAppID = "io.tiklo.Tiklo"; }));
    // Nor one the window manager still has behind the application: the keyboard is Tiklo's.
    EXPECT_FALSE(with([](Input& i) { i.ownWindowHasKeyboard = true; }));
    EXPECT_FALSE(with([](Input& i) {
        i.frontmostAppID.reset();
        i.ownAppID.reset();
    }));
    EXPECT_EQ(with([](Input& i) { i.frontmostAppID.reset(); }), 1);
    EXPECT_EQ(with([](Input& i) { i.ownAppID.reset(); }), 1);
    for (const Modifier modifier : {Modifier::ctrl, Modifier::alt, Modifier::super}) {
        EXPECT_FALSE(with([modifier](Input& i) { i.modifiers = modifier; }));
    }
    // Shift passes: the characters it produces decide.
    EXPECT_EQ(with([](Input& i) {
                  i.modifiers = Modifier::shift;
                  i.charactersIgnoringModifiers = ":";
                  i.triggerPrefix = ":";
              }),
              1);
    EXPECT_FALSE(with([](Input& i) { i.charactersIgnoringModifiers.reset(); }));
    EXPECT_FALSE(with([](Input& i) { i.charactersIgnoringModifiers = ";;"; }));
    EXPECT_FALSE(with([](Input& i) { i.charactersIgnoringModifiers = ""; }));
    EXPECT_FALSE(with([](Input& i) { i.triggerPrefix = ""; }));
    EXPECT_FALSE(with([](Input& i) { i.triggerPrefix = ";;"; }));
    // One character of several scalars can be a prefix.
    EXPECT_EQ(with([](Input& i) {
                  i.charactersIgnoringModifiers = "e\u0301";
                  i.triggerPrefix = "e\u0301";
              }),
              1);
}

class TriggerEngineKeyTest : public ::testing::Test, protected test::FakeAppEnvironment {};

// A field the input method's addon holds is searched there, not also here: the input methods'
// desktop tests see Tiklo stand aside.
struct FakeInputMethod : InputMethodRoute {
    bool holdsFocusedField() const override { return false; }
    void watch(Listener) override {}
    void onPickerRequest(PickerRequest) override {}
    void commit(const std::string&) override {}
    void setOwnWindowActive(bool) override {}
};

// A press of the key that types `character` (a one-byte one: the keysym is its code), at a
// moment of its own.
KeyDown typed(const std::string& character, Modifiers modifiers = {}) {
    static std::uint32_t time = 0;
    KeyDown key{{static_cast<KeySym>(character[0]), modifiers}, character};
    key.time = ++time;
    return key;
}

TEST_F(TriggerEngineKeyTest, HandleKeyDownReadsTheSettingsAtEachPress) {
    test::FakePickerOpener picker;
    test::FakeKeyboardHold hold;
    FakeInputMethod inputMethod;
    TriggerEngine engine(state, workspace, hold, inputMethod, picker);

    const RunningApplication gedit{"org.gnome.gedit", 42, 7};
    workspace.frontmost = gedit;
    engine.handleKeyDown(typed(";"));
    ASSERT_EQ(picker.shown.size(), 1u);
    const auto& [query, backspaces, target, mode] = picker.shown[0];
    EXPECT_EQ(std::tie(query, backspaces, target, mode),
              std::tuple("", 1, gedit, view::Presentation::Inline));

    engine.handleKeyDown(typed("a"));
    engine.handleKeyDown(typed(";", Modifier::ctrl));
    // The popup just took the keyboard, the window manager still says gedit is in front.
    workspace.ownWindowFocused = true;
    engine.handleKeyDown(typed(";"));
    workspace.ownWindowFocused = false;
    state.setExcludedAppIDs({"org.gnome.gedit"});
    engine.handleKeyDown(typed(";"));
    state.setExcludedAppIDs({});
    state.setMasterEnabled(false);
    engine.handleKeyDown(typed(";"));
    EXPECT_EQ(picker.shown.size(), 1u);

    state.setMasterEnabled(true);
    state.setTriggerPrefix("/");
    workspace.frontmost.reset(); // no frontmost application: still opens, without a target
    engine.handleKeyDown(typed("/"));
    ASSERT_EQ(picker.shown.size(), 2u);
    EXPECT_FALSE(picker.shown[1].target);

    // Keys held on their way to the picker, or to follow an emoji, are not typed in an
    // application yet: a prefix among them opens nothing.
    workspace.frontmost = gedit;
    hold.holding = true;
    engine.handleKeyDown(typed("/"));
    EXPECT_EQ(picker.shown.size(), 2u);
    // The picker alone can tell whether such a key slipped past the hold.
    ASSERT_EQ(picker.typedWhileHolding.size(), 1u);
    EXPECT_EQ(picker.typedWhileHolding[0].charactersIgnoringModifiers, "/");
    hold.holding = false;
    engine.handleKeyDown(typed("/"));
    EXPECT_EQ(picker.shown.size(), 3u);

    // Held behind an insertion instead, the first prefix pauses the hold; once it is typed, it
    // opens the popup as if typed then, and the keys held after it go to the popup in order.
    // A press reported again (it reached the picker's window too) counts once.
    picker.typedWhileHolding.clear();
    picker.takesHeldKeys = false;
    hold.holding = true;
    const auto prefixAt = [](std::uint32_t time) {
        KeyDown prefix = typed("/");
        prefix.scanCode = 61;
        prefix.time = time;
        return prefix;
    };
    const KeyDown b = typed("b");
    engine.handleKeyDown(typed("a"));
    engine.handleKeyDown(prefixAt(1000));
    engine.handleKeyDown(b);
    engine.keyHeldBehindInsertion(b);
    engine.handleKeyDown(typed("/"));
    ASSERT_TRUE(hold.pause);
    EXPECT_EQ(*hold.pause, std::pair(61u, 1000u));
    EXPECT_EQ(picker.shown.size(), 3u);
    picker.typedWhileHolding.clear();
    hold.afterPause();
    ASSERT_EQ(picker.shown.size(), 4u);
    EXPECT_EQ(picker.shown[3].target, gedit);
    ASSERT_EQ(picker.typedWhileHolding.size(), 2u);
    EXPECT_EQ(picker.typedWhileHolding[0].charactersIgnoringModifiers, "b");
    EXPECT_EQ(picker.typedWhileHolding[1].charactersIgnoringModifiers, "/");
    EXPECT_EQ(hold.releasedToFocus, 0);

    // After the popup gave way, the keys held are the rest of what was typed: no prefix.
    picker.gaveWayLast = true;
    hold.pause.reset();
    engine.handleKeyDown(prefixAt(1500));
    EXPECT_FALSE(hold.pause);
    picker.gaveWayLast = false;

    // Typed where search is off by then, it opens nothing and the keys after it follow.
    hold.pause.reset();
    engine.handleKeyDown(prefixAt(2000));
    ASSERT_TRUE(hold.pause);
    state.setExcludedAppIDs({"org.gnome.gedit"});
    hold.afterPause();
    EXPECT_EQ(picker.shown.size(), 4u);
    EXPECT_EQ(hold.releasedToFocus, 1);

    // A pause the hold forgot (it went to Tiklo's window) is over at the next key typed free.
    state.setExcludedAppIDs({});
    hold.holding = true;
    hold.pause.reset();
    engine.handleKeyDown(prefixAt(3000));
    ASSERT_TRUE(hold.pause);
    hold.holding = false;
    engine.handleKeyDown(typed("x"));
    hold.afterPause();
    EXPECT_EQ(picker.shown.size(), 4u);
    EXPECT_EQ(hold.releasedToFocus, 1);

    // Keys held for the picker that outlive it (it chose before they reached it) follow the
    // choice: a prefix among them pauses the hold as well.
    hold.holding = true;
    hold.pause.reset();
    picker.takesHeldKeys = true;
    engine.handleKeyDown(prefixAt(4000));
    EXPECT_FALSE(hold.pause);
    engine.keyHeldBehindInsertion(prefixAt(4000));
    ASSERT_TRUE(hold.pause);
    EXPECT_EQ(hold.pause->second, 4000u);
}

} // namespace
} // namespace tiklo
