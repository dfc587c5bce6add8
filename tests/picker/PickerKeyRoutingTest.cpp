// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerKeyRouting.h"
#include "picker/QueryTyping.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Action = PickerKeyDecision::Action;
using Type = PickerKeyEvent::Type;
using Keys = std::vector<KeyStroke>;
using Given = std::tuple<int, std::string, Keys>;
constexpr auto inlineMode = view::Presentation::Inline;
constexpr auto fullMode = view::Presentation::Full;
const PickerKeyDecision passed{Action::none, 0, false};

PickerKeyDecision route(const PickerKeyEvent& event, const PickerKeyContext& context) {
    return PickerKeyRouting::route(event, QueryKey::of(event.key, event.text), context);
}
PickerKeyDecision route(KeySym sym, PickerKeyContext context, Modifiers modifiers = {}) {
    return route({Type::keyDown, {sym, modifiers}}, context);
}

// The digit-row key in `place`, typing that digit (as on a US keyboard).
PickerKeyDecision routeDigit(int place, PickerKeyContext context, Modifiers modifiers) {
    return route({Type::keyDown, {keysym::digit(place), modifiers, place}}, context);
}

TEST(PickerKeyRoutingTest, DigitsInsertInThePopupOnlyNavigationFollowsTheLayoutDeleteTheQuery) {
    const PickerKeyContext nine{inlineMode, false, "", 9};
    for (int place = 1; place <= 9; ++place) {
        EXPECT_EQ(routeDigit(place, nine, Modifier::ctrl),
                  (PickerKeyDecision{Action::insertAt, place - 1, true}))
            << place;
    }
    // One result fewer than the place: a beep, and the key is still taken.
    EXPECT_EQ(routeDigit(9, {inlineMode, false, "", 8}, Modifier::ctrl),
              (PickerKeyDecision{Action::beep, 0, true}));
    // Which keys choose (Super too, by place, on the keypad, never with Alt) is the key table's;
    // a digit that types passes to the query, and in the full picker Ctrl+digit passes.
    EXPECT_EQ(routeDigit(3, nine, {}), passed);
    EXPECT_EQ(routeDigit(3, {fullMode, true, "", 5}, Modifier::ctrl), passed);
    // Other shortcuts are the field's.
    EXPECT_FALSE(route(keysym::letter('a'), nine, Modifier::ctrl).swallow);

    const auto modifiersChanged = [&](Modifiers held) {
        return route({Type::modifiersChanged, {keysym::none, held}}, nine);
    };
    EXPECT_EQ(modifiersChanged(Modifier::ctrl),
              (PickerKeyDecision{Action::setCommandHeld, 1, false}));
    EXPECT_EQ(modifiersChanged(Modifier::super | Modifier::shift),
              (PickerKeyDecision{Action::setCommandHeld, 1, false}));
    EXPECT_EQ(modifiersChanged(Modifier::shift | Modifier::alt),
              (PickerKeyDecision{Action::setCommandHeld, 0, false}));

    // Navigation depends on the layout, Delete on the query.
    const PickerKeyContext grid{fullMode, true, "fi", 20};
    const PickerKeyContext list{fullMode, false, "fi", 20};
    const PickerKeyContext popup{inlineMode, false, "", 20};
    EXPECT_EQ(route(keysym::down, grid), (PickerKeyDecision{Action::moveSelection, 8, true}));
    EXPECT_EQ(route(keysym::up, grid), (PickerKeyDecision{Action::moveSelection, -8, true}));
    EXPECT_EQ(route(keysym::left, grid), (PickerKeyDecision{Action::moveSelection, -1, true}));
    EXPECT_EQ(route(keysym::right, grid), (PickerKeyDecision{Action::moveSelection, 1, true}));
    EXPECT_EQ(route(keysym::down, list), (PickerKeyDecision{Action::moveSelection, 1, true}));
    EXPECT_EQ(route(keysym::up, popup), (PickerKeyDecision{Action::moveSelection, -1, true}));
    EXPECT_FALSE(route(keysym::left, list).swallow);
    EXPECT_FALSE(route(keysym::right, popup).swallow);

    EXPECT_EQ(route(keysym::returnKey, popup).action, Action::insertSelected);
    EXPECT_EQ(route(keysym::escape, grid), (PickerKeyDecision{Action::close, 0, true}));
    // The popup keeps what was typed after the prefix, and takes Escape itself.
    const WordRunIndex noTexts({});
    const PickerKeyContext searching{inlineMode, false, "fir", 20, &noTexts};
    EXPECT_EQ(route(keysym::escape, searching), (PickerKeyDecision{Action::giveWay, 0, true}));
    EXPECT_EQ(route(keysym::backSpace, popup), (PickerKeyDecision{Action::close, 0, true}));
    EXPECT_FALSE(route(keysym::backSpace, {inlineMode, false, "fi", 20}).swallow);
    EXPECT_FALSE(route(keysym::backSpace, {fullMode, false, "", 20}).swallow);
}

TEST(QueryTypingTest, OnlyTypedTheQueryGoesBackAsItsKeysAndWhatWasTypedAheadNotTwice) {
    QueryTyping typing;
    // Keys of the popup, each routed as passing to the field unless told otherwise.
    const auto press = [&](KeySym sym, const std::string& text, std::uint32_t scanCode,
                           std::uint32_t state = 0, PickerKeyDecision decision = passed) {
        const PickerKeyEvent event{Type::keyDown, {sym}, text, {scanCode, state, true}};
        typing.routed(event, QueryKey::of(event.key, event.text), decision);
    };
    // Pressed and let go.
    const auto type = [&](KeySym sym, const std::string& text, std::uint32_t scanCode,
                          std::uint32_t state = 0) {
        press(sym, text, scanCode, state);
        typing.routed({Type::keyUp, {keysym::none}, {}, {scanCode, state, false}}, {}, passed);
    };
    // What the field holding `query` gives back: characters to delete, text, keys.
    const auto given = [&](const std::string& query) {
        const QueryTyping::GiveBack back = typing.giveBack(query);
        return Given{back.deletes, back.text, back.keys};
    };
    type(keysym::letter('d'), "D", 40, 1);
    EXPECT_EQ(given("D"), (Given{0, "", {{40, 1, true}, {40, 1, false}}}));
    // The field holds something the keys did not type (pasted, say): its text.
    EXPECT_EQ(given("Dx"), (Given{0, "Dx", {}}));

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
        EXPECT_EQ(given("\u00e9"), (Given{0, "\u00e9", {}})) << editing;
    }

    // What was typed ahead is not typed twice, unless the query no longer begins with it.
    typing.restart();
    EXPECT_TRUE(typing.firstKey());
    typing.typedAhead("t\u00e9");
    EXPECT_FALSE(typing.firstKey());
    type(keysym::letter('s'), "s", 39);
    EXPECT_EQ(given("t\u00e9s"), (Given{0, "", {{39, 0, true}, {39, 0, false}}}));
    EXPECT_EQ(given("t\u00e9"), (Given{0, "", {}})); // nothing more than typed ahead
    // The field was edited back over it: it is taken back (two characters) and the query typed.
    EXPECT_EQ(given("fi"), (Given{2, "fi", {}}));

    // Once the prefix was replaced, nothing of it is in the application any more.
    typing.prefixReplaced();
    EXPECT_EQ(given("ok"), (Given{0, "ok", {}}));
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
