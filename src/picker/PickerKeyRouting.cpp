#include "picker/PickerKeyRouting.h"

#include "platform/KeyDown.h"

#include <array>

namespace tiklo {
namespace {

namespace keys {
constexpr std::uint16_t returnKey = 36;
constexpr std::uint16_t keypadEnter = 76;
constexpr std::uint16_t escape = 53;
constexpr std::uint16_t deleteKey = 51;
constexpr std::uint16_t leftArrow = 123;
constexpr std::uint16_t rightArrow = 124;
constexpr std::uint16_t downArrow = 125;
constexpr std::uint16_t upArrow = 126;
} // namespace keys

// The digit keys 1 to 9, in that order.
constexpr std::array<std::uint16_t, 9> digitKeys{18, 19, 20, 21, 23, 22, 26, 28, 25};

using Action = PickerKeyDecision::Action;

PickerKeyDecision swallow(Action action, int argument = 0) {
    return {action, argument, true};
}
PickerKeyDecision pass() {
    return {Action::none, 0, false};
}

} // namespace

PickerKeyDecision PickerKeyRouting::route(const PickerKeyEvent& event,
                                          const PickerKeyContext& context) {
    const bool commandHeld = (event.flags & modifierFlags::command) != 0;
    if (event.type == PickerKeyEvent::Type::flagsChanged) {
        return {Action::setCommandHeld, commandHeld ? 1 : 0, false};
    }
    const bool inlineMode = context.mode == PickerPresentationMode::inlinePopup;
    if (commandHeld && inlineMode) {
        for (std::size_t i = 0; i < digitKeys.size(); ++i) {
            if (digitKeys[i] == event.keyCode) {
                return i < context.resultCount ? swallow(Action::insertAt, static_cast<int>(i))
                                               : swallow(Action::beep);
            }
        }
    }
    const int verticalStep = context.gridLayout ? gridColumns : 1;
    switch (event.keyCode) {
    case keys::returnKey:
    case keys::keypadEnter:
        return swallow(Action::insertSelected);
    case keys::escape:
        return swallow(Action::close);
    case keys::deleteKey:
        return inlineMode && context.queryEmpty ? swallow(Action::close) : pass();
    case keys::downArrow:
        return swallow(Action::moveSelection, verticalStep);
    case keys::upArrow:
        return swallow(Action::moveSelection, -verticalStep);
    case keys::leftArrow:
        return context.gridLayout ? swallow(Action::moveSelection, -1) : pass();
    case keys::rightArrow:
        return context.gridLayout ? swallow(Action::moveSelection, 1) : pass();
    default:
        return pass();
    }
}

} // namespace tiklo
