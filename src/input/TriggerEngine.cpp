// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/TriggerEngine.h"

#include "app/AppState.h"
#include "catalog/Unicode.h"

#include <algorithm>

namespace tiklo {
namespace {

std::optional<std::string> presentID(const std::string& id) {
    return id.empty() ? std::nullopt : std::optional<std::string>(id);
}

} // namespace

TriggerEngine::TriggerEngine(const AppState& state, const Workspace& workspace,
                             const KeyboardHold& hold, const InputMethodRoute& inputMethod,
                             PickerOpener& picker)
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
    // Never trigger inside Tiklo's own windows; two unknown ids count as the same.
    if (input.frontmostAppID == input.ownAppID) {
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
    // This runs for every key the user types: settle the cheap tests before asking the
    // window system anything. The outcome is the same as deciding in the usual order.
    if (hold_.isHolding()) {
        picker_.keyTypedWhileHolding(key);
        return;
    }
    if (!state_.masterEnabled() || key.key.modifiers.any(shortcutModifiers) ||
        !key.charactersIgnoringModifiers ||
        QString::fromStdString(*key.charactersIgnoringModifiers) != state_.triggerPrefix() ||
        inputMethod_.holdsFocusedField()) {
        return;
    }
    const std::optional<RunningApplication> frontmost = workspace_.frontmostApplication();
    Input input;
    input.masterEnabled = state_.masterEnabled();
    input.frontmostAppID = frontmost ? presentID(frontmost->appID) : std::nullopt;
    input.ownAppID = presentID(workspace_.ownAppID());
    input.excludedAppIDs = &state_.excludedAppIDs();
    input.modifiers = key.key.modifiers;
    input.charactersIgnoringModifiers = key.charactersIgnoringModifiers;
    input.triggerPrefix = state_.triggerPrefix().toStdString();
    if (const std::optional<int> backspaces = decide(input)) {
        picker_.show("", *backspaces, frontmost, view::Presentation::Inline);
    }
}

} // namespace tiklo
