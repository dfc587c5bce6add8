#include "picker/PickerKeyRouting.h"
#include "platform/KeyDown.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Action = PickerKeyDecision::Action;
using Type = PickerKeyEvent::Type;
constexpr auto inlineMode = PickerPresentationMode::inlinePopup;
constexpr auto fullMode = PickerPresentationMode::full;

PickerKeyDecision route(std::uint16_t key, PickerKeyContext context, std::uint64_t flags = 0) {
    return PickerKeyRouting::route({Type::keyDown, key, flags}, context);
}

TEST(PickerKeyRoutingTest, CommandDigitsInsertInTheInlinePopupOnly) {
    const PickerKeyContext popup{inlineMode, false, true, 5};
    EXPECT_EQ(route(20, popup, modifierFlags::command),
              (PickerKeyDecision{Action::insertAt, 2, true}));
    EXPECT_EQ(route(25, popup, modifierFlags::command), (PickerKeyDecision{Action::beep, 0, true}));
    EXPECT_EQ(route(20, {inlineMode, false, true, 2}, modifierFlags::command),
              (PickerKeyDecision{Action::beep, 0, true}));
    // Without Command a digit is typed into the query; in the full picker Command-digit passes.
    EXPECT_EQ(route(20, popup), (PickerKeyDecision{Action::none, 0, false}));
    EXPECT_EQ(route(20, {fullMode, true, true, 5}, modifierFlags::command),
              (PickerKeyDecision{Action::none, 0, false}));
    // Other Command keys pass, Command-Return still inserts.
    EXPECT_EQ(route(0, popup, modifierFlags::command).swallow, false);
    EXPECT_EQ(route(36, popup, modifierFlags::command).action, Action::insertSelected);

    EXPECT_EQ(PickerKeyRouting::route({Type::flagsChanged, 55, modifierFlags::command}, popup),
              (PickerKeyDecision{Action::setCommandHeld, 1, false}));
    EXPECT_EQ(PickerKeyRouting::route({Type::flagsChanged, 55, modifierFlags::shift}, popup),
              (PickerKeyDecision{Action::setCommandHeld, 0, false}));
}

TEST(PickerKeyRoutingTest, NavigationDependsOnLayoutAndDeleteOnTheQuery) {
    const PickerKeyContext grid{fullMode, true, false, 20};
    const PickerKeyContext list{fullMode, false, false, 20};
    const PickerKeyContext popup{inlineMode, false, true, 20};
    EXPECT_EQ(route(125, grid), (PickerKeyDecision{Action::moveSelection, 8, true}));
    EXPECT_EQ(route(126, grid), (PickerKeyDecision{Action::moveSelection, -8, true}));
    EXPECT_EQ(route(123, grid), (PickerKeyDecision{Action::moveSelection, -1, true}));
    EXPECT_EQ(route(124, grid), (PickerKeyDecision{Action::moveSelection, 1, true}));
    EXPECT_EQ(route(125, list), (PickerKeyDecision{Action::moveSelection, 1, true}));
    EXPECT_FALSE(route(123, list).swallow);
    EXPECT_FALSE(route(124, popup).swallow);

    EXPECT_EQ(route(36, popup).action, Action::insertSelected);
    EXPECT_EQ(route(76, grid).action, Action::insertSelected);
    EXPECT_EQ(route(53, grid), (PickerKeyDecision{Action::close, 0, true}));
    EXPECT_EQ(route(51, popup), (PickerKeyDecision{Action::close, 0, true}));
    EXPECT_FALSE(route(51, {inlineMode, false, false, 20}).swallow);
    EXPECT_FALSE(route(51, {fullMode, false, true, 20}).swallow);
    EXPECT_FALSE(route(49, popup).swallow); // space goes to the query
}

} // namespace
} // namespace tiklo
