#pragma once

#include "catalog/GiveWayRule.h"
#include "platform/Key.h"

#include <fcitx-utils/key.h>

namespace tiklo {

// fcitx's keys as semicolon search tells them apart.
struct FcitxQueryKey {
    // Ctrl, Alt or Super (either of fcitx's Super bits): a shortcut, never text.
    static bool isShortcut(const fcitx::Key& key);
    // As the give-way rule sees the key: a line end, a tab, the text it types, or other.
    static QueryKey of(const fcitx::Key& key);
    // 1 to 9 for Ctrl or Super with a digit-row or keypad digit; 0 otherwise.
    static int chooserDigit(const fcitx::Key& key);
    // Whether `typed` (the key as typed: its keycode and every modifier held) is the stored
    // shortcut `hotkey`. A digit is the key of the digit row, whatever the layout or Shift
    // types there (Ctrl+Shift+1 reports "exclam", AZERTY's 1 "ampersand").
    static bool isHotkey(const fcitx::Key& typed, const Key& hotkey);
};

} // namespace tiklo
