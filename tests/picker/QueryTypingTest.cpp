// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/QueryTyping.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Type = PickerKeyEvent::Type;
using Action = PickerKeyDecision::Action;
using Keys = std::vector<KeyStroke>;

const PickerKeyDecision passed{Action::none, 0, false};

// Keys of the popup, each routed as passing to the field unless told otherwise.
class QueryTypingTest : public ::testing::Test {
protected:
    void press(KeySym sym, const std::string& text, std::uint32_t scanCode, std::uint32_t state = 0,
               PickerKeyDecision decision = passed) {
        const PickerKeyEvent event{Type::keyDown, {sym}, text, {scanCode, state, true}};
        typing.routed(event, QueryKey::of(event.key, event.text), decision);
    }
    void release(std::uint32_t scanCode, std::uint32_t state = 0) {
        typing.routed({Type::keyUp, {keysym::none}, {}, {scanCode, state, false}}, {}, passed);
    }
    void type(KeySym sym, const std::string& text, std::uint32_t scanCode,
              std::uint32_t state = 0) {
        press(sym, text, scanCode, state);
        release(scanCode, state);
    }

    QueryTyping typing;
};

TEST_F(QueryTypingTest, OnlyTypedTheQueryGoesBackAsItsKeysElseAsText) {
    type(keysym::letter('d'), "D", 40, 1);
    const auto back = typing.giveBack("D");
    EXPECT_EQ(back.keys, (Keys{{40, 1, true}, {40, 1, false}}));
    EXPECT_EQ(back.text, "");
    EXPECT_EQ(back.deletes, 0);
    // The field holds something the keys did not type (pasted, say): its text.
    EXPECT_EQ(typing.giveBack("Dx").text, "Dx");
    EXPECT_TRUE(typing.giveBack("Dx").keys.empty());

    // Keys the popup took for itself (arrows) change nothing in the field.
    press(keysym::down, "", 116, 0, {Action::moveSelection, 1, true});
    type(keysym::letter('e'), "e", 26);
    EXPECT_EQ(typing.giveBack("De").keys.size(), 4u);

    // Edited with Backspace, moved in with an arrow, or a dead key: the text.
    for (const KeySym editing : {keysym::backSpace, keysym::left, keysym::none}) {
        typing.restart();
        type(keysym::letter('a'), "a", 38);
        press(editing, editing == keysym::backSpace ? "\b" : "", 22);
        type(keysym::letter('e'), "\u00e9", 26);
        const auto edited = typing.giveBack("\u00e9");
        EXPECT_EQ(edited.text, "\u00e9") << editing;
        EXPECT_TRUE(edited.keys.empty()) << editing;
    }
    // The key that ends it is not part of what is given back.
    typing.restart();
    type(keysym::letter('x'), "x", 53);
    press(')', ")", 19, 1, {Action::giveWay, 0, false});
    EXPECT_EQ(typing.giveBack("x").keys.size(), 2u);
}

TEST_F(QueryTypingTest, WhatWasTypedAheadIsNotTypedTwiceUnlessTheQueryNoLongerBeginsWithIt) {
    EXPECT_TRUE(typing.firstKey());
    typing.typedAhead("t\u00e9");
    EXPECT_FALSE(typing.firstKey());
    type(keysym::letter('s'), "s", 39);
    const auto continued = typing.giveBack("t\u00e9s");
    EXPECT_EQ(continued.deletes, 0);
    EXPECT_EQ(continued.keys, (Keys{{39, 0, true}, {39, 0, false}}));
    EXPECT_EQ(typing.giveBack("t\u00e9").keys, Keys{}); // nothing more than typed ahead
    EXPECT_EQ(typing.giveBack("t\u00e9").text, "");
    // The field was edited back over it: it is taken back (two characters) and the query typed.
    const auto edited = typing.giveBack("fi");
    EXPECT_EQ(edited.deletes, 2);
    EXPECT_EQ(edited.text, "fi");

    // Once the prefix was replaced, nothing of it is in the application any more.
    typing.prefixReplaced();
    EXPECT_EQ(typing.giveBack("ok").text, "ok");
    EXPECT_EQ(typing.giveBack("ok").deletes, 0);
    EXPECT_FALSE(typing.firstKey());
    typing.restart();
    EXPECT_TRUE(typing.firstKey());
    typing.routed({Type::modifiersChanged, {keysym::none, Modifier::shift}}, {}, passed);
    EXPECT_TRUE(typing.firstKey()); // Shift alone is no key
    typing.fieldChanged();
    EXPECT_FALSE(typing.firstKey());
}

} // namespace
} // namespace tiklo
