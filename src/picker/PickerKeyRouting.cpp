#include "picker/PickerKeyRouting.h"

namespace tiklo {
namespace {

// The digit-row shortcuts insert one of the first nine results.
constexpr int digitShortcuts = 9;

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
    const bool commandHeld = event.key.modifiers.any(commandKeys);
    if (event.type == PickerKeyEvent::Type::modifiersChanged) {
        return {Action::setCommandHeld, commandHeld ? 1 : 0, false};
    }
    const bool inlineMode = context.mode == view::Presentation::Inline;
    const int digit = event.key.digitRow;
    if (commandHeld && inlineMode && digit >= 1 && digit <= digitShortcuts) {
        const auto index = static_cast<std::size_t>(digit - 1);
        return index < context.resultCount ? swallow(Action::insertAt, digit - 1)
                                           : swallow(Action::beep);
    }
    const int verticalStep = context.gridLayout ? gridColumns : 1;
    switch (event.key.sym) {
    case keysym::returnKey:
    case keysym::keypadEnter:
        return swallow(Action::insertSelected);
    case keysym::escape:
        return swallow(Action::close);
    case keysym::backSpace:
        return inlineMode && context.queryEmpty ? swallow(Action::close) : pass();
    case keysym::down:
        return swallow(Action::moveSelection, verticalStep);
    case keysym::up:
        return swallow(Action::moveSelection, -verticalStep);
    case keysym::left:
        return context.gridLayout ? swallow(Action::moveSelection, -1) : pass();
    case keysym::right:
        return context.gridLayout ? swallow(Action::moveSelection, 1) : pass();
    default:
        return pass();
    }
}

} // namespace tiklo
