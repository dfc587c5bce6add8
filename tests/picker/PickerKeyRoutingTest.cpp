#include "picker/PickerKeyRouting.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Action = PickerKeyDecision::Action;
using Type = PickerKeyEvent::Type;
constexpr auto inlineMode = view::Presentation::Inline;
constexpr auto fullMode = view::Presentation::Full;

PickerKeyDecision route(KeySym sym, PickerKeyContext context, Modifiers modifiers = {}) {
    return PickerKeyRouting::route({Type::keyDown, {sym, modifiers}}, context);
}

// The digit-row key in `place`, typing that digit (as on a US keyboard).
PickerKeyDecision routeDigit(int place, PickerKeyContext context, Modifiers modifiers) {
    return PickerKeyRouting::route({Type::keyDown, {keysym::digit(place), modifiers, place}},
                                   context);
}

TEST(PickerKeyRoutingTest, CtrlOrSuperDigitsInsertInTheInlinePopupOnly) {
    const PickerKeyContext nine{inlineMode, false, true, 9};
    for (const Modifier command : {Modifier::ctrl, Modifier::super}) {
        for (int place = 1; place <= 9; ++place) {
            EXPECT_EQ(routeDigit(place, nine, command),
                      (PickerKeyDecision{Action::insertAt, place - 1, true}))
                << place;
        }
    }
    // One result fewer than the place: a beep, and the key is still taken.
    EXPECT_EQ(routeDigit(9, {inlineMode, false, true, 8}, Modifier::ctrl),
              (PickerKeyDecision{Action::beep, 0, true}));
    EXPECT_EQ(routeDigit(3, {inlineMode, false, true, 2}, Modifier::super),
              (PickerKeyDecision{Action::beep, 0, true}));
    // By place, not by what the key types (French AZERTY types "\"" on the third).
    EXPECT_EQ(PickerKeyRouting::route({Type::keyDown, {'"', Modifier::ctrl, 3}}, nine),
              (PickerKeyDecision{Action::insertAt, 2, true}));
    // Not the digit row (the keypad's 3, or 0) passes.
    EXPECT_FALSE(route(keysym::digit(3), nine, Modifier::ctrl).swallow);
    EXPECT_FALSE(routeDigit(0, nine, Modifier::ctrl).swallow);
    // Without Ctrl or Super a digit is typed into the query, with Alt or Shift too; in the
    // full picker Ctrl+digit passes.
    EXPECT_EQ(routeDigit(3, nine, {}), (PickerKeyDecision{Action::none, 0, false}));
    EXPECT_FALSE(routeDigit(3, nine, Modifier::alt | Modifier::shift).swallow);
    EXPECT_EQ(routeDigit(3, {fullMode, true, true, 5}, Modifier::ctrl),
              (PickerKeyDecision{Action::none, 0, false}));
    // Other Ctrl keys pass, Ctrl+Return still inserts.
    EXPECT_FALSE(route(keysym::letter('a'), nine, Modifier::ctrl).swallow);
    EXPECT_EQ(route(keysym::returnKey, nine, Modifier::ctrl).action, Action::insertSelected);

    const auto modifiersChanged = [&](Modifiers held) {
        return PickerKeyRouting::route({Type::modifiersChanged, {keysym::none, held}}, nine);
    };
    EXPECT_EQ(modifiersChanged(Modifier::ctrl),
              (PickerKeyDecision{Action::setCommandHeld, 1, false}));
    EXPECT_EQ(modifiersChanged(Modifier::super | Modifier::shift),
              (PickerKeyDecision{Action::setCommandHeld, 1, false}));
    EXPECT_EQ(modifiersChanged(Modifier::shift | Modifier::alt),
              (PickerKeyDecision{Action::setCommandHeld, 0, false}));
}

TEST(PickerKeyRoutingTest, NavigationDependsOnLayoutAndDeleteOnTheQuery) {
    const PickerKeyContext grid{fullMode, true, false, 20};
    const PickerKeyContext list{fullMode, false, false, 20};
    const PickerKeyContext popup{inlineMode, false, true, 20};
    EXPECT_EQ(route(keysym::down, grid), (PickerKeyDecision{Action::moveSelection, 8, true}));
    EXPECT_EQ(route(keysym::up, grid), (PickerKeyDecision{Action::moveSelection, -8, true}));
    EXPECT_EQ(route(keysym::left, grid), (PickerKeyDecision{Action::moveSelection, -1, true}));
    EXPECT_EQ(route(keysym::right, grid), (PickerKeyDecision{Action::moveSelection, 1, true}));
    EXPECT_EQ(route(keysym::down, list), (PickerKeyDecision{Action::moveSelection, 1, true}));
    EXPECT_EQ(route(keysym::up, popup), (PickerKeyDecision{Action::moveSelection, -1, true}));
    EXPECT_FALSE(route(keysym::left, list).swallow);
    EXPECT_FALSE(route(keysym::right, popup).swallow);

    EXPECT_EQ(route(keysym::returnKey, popup).action, Action::insertSelected);
    EXPECT_EQ(route(keysym::keypadEnter, grid).action, Action::insertSelected);
    EXPECT_EQ(route(keysym::escape, grid), (PickerKeyDecision{Action::close, 0, true}));
    EXPECT_EQ(route(keysym::backSpace, popup), (PickerKeyDecision{Action::close, 0, true}));
    EXPECT_FALSE(route(keysym::backSpace, {inlineMode, false, false, 20}).swallow);
    EXPECT_FALSE(route(keysym::backSpace, {fullMode, false, true, 20}).swallow);
    EXPECT_FALSE(route(keysym::space, popup).swallow); // space goes to the query
}

} // namespace
} // namespace tiklo
