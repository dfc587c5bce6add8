// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/TriggerEngine.h"

#include "app/AppState.h"
#include "catalog/Unicode.h"

#include <algorithm>
#include <utility>

namespace tiklo {
namespace {

std::optional<std::string> presentID(const std::string& id) {
    return id.empty() ? std::nullopt : std::optional<std::string>(id);
}

} // namespace

TriggerEngine::TriggerEngine(const AppState& state, const Workspace& workspace, KeyboardHold& hold,
                             const InputMethodRoute& inputMethod, PickerOpener& picker)
    : state_(state), workspace_(workspace), hold_(hold), inputMethod_(inputMethod),
      picker_(picker) {}

std::optional<int> TriggerEngine::decide(const Input& input) {
    if (!input.masterEnabled) {
        return std::nullopt;
    }
    if (input.frontmostAppID && input.excludedAppIDs != nullptr &&
        std::find(input.excludedAppIDs->begin(), input.excludedAppIDs->end(),
                  *input.frontmostAppID) != input.excludedAppIDs->end()) {
        return std::nullopt;
    }
    // Never trigger inside Tiklo's own windows, also those the window manager has not yet
    // announced in front; two unknown ids count as the same.
    if (input.ownWindowHasKeyboard || input.frontmostAppID == input.ownAppID) {
        return std::nullopt;
    }
    if (input.modifiers.any(shortcutModifiers)) {
        return std::nullopt;
    }
    if (!input.charactersIgnoringModifiers ||
        unicode::graphemeCount(*input.charactersIgnoringModifiers) != 1) {
        return std::nullopt;
    }
    if (*input.charactersIgnoringModifiers != input.triggerPrefix) {
        return std::nullopt;
    }
    return replacementBackspaces;
}

void TriggerEngine::handleKeyDown(const KeyDown& key) {
    if (hold_.isHolding()) {
        if (!picker_.keyTypedWhileHolding(key)) {
            heldBehindInsertion(key);
        }
        return;
    }
    // Whatever was held has been typed.
    heldPrefix_.reset();
    heldAfterPrefix_.clear();
    heldPresses_.clear();
    if (mayTrigger(key)) {
        trigger(key);
    }
}

bool TriggerEngine::mayTrigger(const KeyDown& key) const {
    // This runs for every key the user types: settle the cheap tests before asking the
    // window system anything. The outcome is the same as deciding in the usual order.
    return state_.masterEnabled() && !key.key.modifiers.any(shortcutModifiers) &&
           key.charactersIgnoringModifiers && !key.synthetic &&
           QString::fromStdString(*key.charactersIgnoringModifiers) == state_.triggerPrefix() &&
           !inputMethod_.holdsFocusedField();
}

void TriggerEngine::keyHeldBehindInsertion(const KeyDown& key) {
    if (hold_.isHolding()) {
        heldBehindInsertion(key);
    }
}

void TriggerEngine::heldBehindInsertion(const KeyDown& key) {
    if (!heldPresses_.emplace(key.scanCode, key.time).second) {
        return;
    }
    if (heldPrefix_) {
        heldAfterPrefix_.push_back(key);
        return;
    }
    if (!picker_.gaveWay() && mayTrigger(key) &&
        hold_.pauseAfter(key.scanCode, key.time, [this] { triggerAfterHeldPrefix(); })) {
        heldPrefix_ = key;
    }
}

void TriggerEngine::triggerAfterHeldPrefix() {
    if (!heldPrefix_) {
        return;
    }
    const KeyDown prefix = *std::exchange(heldPrefix_, std::nullopt);
    const std::vector<KeyDown> after = std::exchange(heldAfterPrefix_, {});
    // Typed now, in the application the insertion went to: decided as if typed there now.
    if (!mayTrigger(prefix) || !trigger(prefix)) {
        // No popup: the keys after the prefix follow it.
        hold_.releaseToFocus();
        return;
    }
    // As if typed now: to the popup while it holds them; once it has given way or gone, they
    // were typed into the application, and a prefix among them opens the next popup.
    for (const KeyDown& key : after) {
        handleKeyDown(key);
    }
}

bool TriggerEngine::trigger(const KeyDown& key) {
    const std::optional<RunningApplication> frontmost = workspace_.frontmostApplication();
    Input input;
    input.masterEnabled = state_.masterEnabled();
    input.frontmostAppID = frontmost ? presentID(frontmost->appID) : std::nullopt;
    input.ownAppID = presentID(workspace_.ownAppID());
    input.ownWindowHasKeyboard = workspace_.ownWindowHasKeyboard();
    input.excludedAppIDs = &state_.excludedAppIDs();
    input.modifiers = key.key.modifiers;
    input.charactersIgnoringModifiers = key.charactersIgnoringModifiers;
    input.triggerPrefix = state_.triggerPrefix().toStdString();
    if (const std::optional<int> backspaces = decide(input)) {
        picker_.show("", *backspaces, frontmost, view::Presentation::Inline);
        return true;
    }
    return false;
}

} // namespace tiklo
