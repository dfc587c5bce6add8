// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/PickerOpener.h"
#include "platform/InputMethodRoute.h"
#include "platform/KeyDown.h"
#include "platform/KeyboardHold.h"
#include "platform/Workspace.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tiklo {

class AppState;

// Decides, for one key press in any application, whether the user just typed the trigger
// prefix where semicolon search applies, and if so opens the inline picker. Reads the
// settings at each press; remembers only a prefix held behind an insertion.
class TriggerEngine {
public:
    // The prefix is already in the target document: one character to delete.
    static constexpr int replacementBackspaces = 1;
    // A key typed with any of these is a shortcut, never the prefix; Shift only chooses the
    // character.
    static constexpr Modifiers shortcutModifiers = Modifier::ctrl | Modifier::alt | Modifier::super;

    struct Input {
        bool masterEnabled = false;
        std::optional<std::string> frontmostAppID;
        std::optional<std::string> ownAppID;
        bool ownWindowHasKeyboard = false;
        const std::vector<std::string>* excludedAppIDs = nullptr;
        Modifiers modifiers;
        std::optional<std::string> charactersIgnoringModifiers;
        std::string triggerPrefix;
    };

    // Keys typed while `hold` holds them for the picker are the picker's. Those it holds
    // behind an insertion are typed after it: unless the popup gave way, a prefix among them
    // opens the popup once it is typed, with the keys after it held for the popup. Keys typed into
    // a field that the input method's addon serves never trigger: the addon searches there itself.
    TriggerEngine(const AppState& state, const Workspace& workspace, KeyboardHold& hold,
                  const InputMethodRoute& inputMethod, PickerOpener& picker);

    void handleKeyDown(const KeyDown& key);
    // A key that reached the picker's window after the picker went, while the keys are held
    // for its insertion: held for the picker, it was the picker's when pressed, and is typed
    // after the insertion now. The same press reported twice counts once.
    void keyHeldBehindInsertion(const KeyDown& key);

    // The decision alone: how many characters to replace, or nothing.
    static std::optional<int> decide(const Input& input);

private:
    // The prefix test alone, without the window system: the rest is `decide`'s.
    bool mayTrigger(const KeyDown& key) const;
    void heldBehindInsertion(const KeyDown& key);
    void triggerAfterHeldPrefix();
    // Whether the popup opens.
    bool trigger(const KeyDown& key);

    const AppState& state_;
    const Workspace& workspace_;
    KeyboardHold& hold_;
    const InputMethodRoute& inputMethod_;
    PickerOpener& picker_;
    // A prefix held behind an insertion, and the keys held after it, for its popup.
    std::optional<KeyDown> heldPrefix_;
    std::vector<KeyDown> heldAfterPrefix_;
    // The presses held behind an insertion so far, by key and time.
    std::set<std::pair<std::uint32_t, std::uint32_t>> heldPresses_;
};

} // namespace tiklo
