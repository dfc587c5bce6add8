// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerKeyRouting.h"

#include "core/GiveWayRule.h"

namespace tiklo {
namespace {

using Action = PickerKeyDecision::Action;

PickerKeyDecision swallow(Action action, int argument = 0) {
    return {action, argument, true};
}
PickerKeyDecision pass() {
    return {Action::none, 0, false};
}

} // namespace

PickerKeyDecision PickerKeyRouting::route(const PickerKeyEvent& event, const QueryKey& key,
                                          const PickerKeyContext& context) {
    if (event.type == PickerKeyEvent::Type::modifiersChanged) {
        return {Action::setCommandHeld, event.key.modifiers.any(QueryKey::commandKeys) ? 1 : 0,
                false};
    }
    if (event.type == PickerKeyEvent::Type::keyUp) {
        return pass();
    }
    using Kind = QueryKey::Kind;
    const bool inlineMode = context.mode == view::Presentation::Inline;
    if (key.kind == Kind::choose && inlineMode) {
        const auto index = static_cast<std::size_t>(key.choice - 1);
        return index < context.resultCount ? swallow(Action::insertAt, key.choice - 1)
                                           : swallow(Action::beep);
    }
    if (inlineMode && context.wordRuns != nullptr) {
        using Outcome = GiveWayRule::Outcome;
        const Outcome outcome = GiveWayRule::outcome(
            {context.query, context.resultCount, context.firstKey}, key, *context.wordRuns);
        if (outcome != Outcome::search) {
            return {Action::giveWay, 0, outcome == Outcome::keepTyped};
        }
    }
    const int verticalStep = context.gridLayout ? context.gridColumns : 1;
    switch (key.kind) {
    case Kind::confirm:
        return swallow(Action::insertSelected, key.alternate ? 1 : 0);
    case Kind::cancel:
        return swallow(Action::close);
    case Kind::erase:
        return inlineMode && context.query.empty() ? swallow(Action::close) : pass();
    case Kind::down:
        return swallow(Action::moveSelection, verticalStep);
    case Kind::up:
        return swallow(Action::moveSelection, -verticalStep);
    case Kind::left:
        return context.gridLayout ? swallow(Action::moveSelection, -1) : pass();
    case Kind::right:
        return context.gridLayout ? swallow(Action::moveSelection, 1) : pass();
    default:
        return pass();
    }
}

} // namespace tiklo
