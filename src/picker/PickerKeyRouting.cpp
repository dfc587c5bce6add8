#include "picker/PickerKeyRouting.h"

#include <algorithm>

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
    if (event.type == PickerKeyEvent::Type::keyUp) {
        return pass();
    }
    const bool inlineMode = context.mode == view::Presentation::Inline;
    const int digit = event.key.digitRow;
    if (commandHeld && inlineMode && digit >= 1 && digit <= digitShortcuts) {
        const auto index = static_cast<std::size_t>(digit - 1);
        return index < context.resultCount ? swallow(Action::insertAt, digit - 1)
                                           : swallow(Action::beep);
    }
    if (inlineMode && context.wordRuns != nullptr &&
        GiveWayRule::givesWay({context.query, context.resultCount, context.firstKey},
                              queryKey(event.key, event.text), *context.wordRuns)) {
        return {Action::giveWay, 0, false};
    }
    const int verticalStep = context.gridLayout ? gridColumns : 1;
    switch (event.key.sym) {
    case keysym::returnKey:
    case keysym::keypadEnter:
    case keysym::linefeed:
        return swallow(Action::insertSelected);
    case keysym::escape:
        return swallow(Action::close);
    case keysym::backSpace:
        return inlineMode && context.query.empty() ? swallow(Action::close) : pass();
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

QueryKey PickerKeyRouting::queryKey(const Key& key, std::string_view text) {
    using Kind = QueryKey::Kind;
    if (key.modifiers.any(Modifier::ctrl | Modifier::alt | Modifier::super)) {
        return {Kind::other, {}};
    }
    switch (key.sym) {
    case keysym::returnKey:
    case keysym::keypadEnter:
    case keysym::linefeed:
        return {Kind::confirm, {}};
    case keysym::tab:
        return {Kind::tab, {}};
    default:
        break;
    }
    constexpr unsigned char firstPrintable = 0x20;
    constexpr unsigned char deleteCharacter = 0x7f;
    const bool printable = !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < firstPrintable || byte == deleteCharacter;
    });
    return printable ? QueryKey{Kind::text, std::string(text)} : QueryKey{Kind::other, {}};
}

} // namespace tiklo
