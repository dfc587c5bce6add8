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
    // A stored shortcut as fcitx reports the key that types it (Ctrl+Alt+E for Ctrl+Alt+e).
    static fcitx::Key shortcut(const Key& key);
};

} // namespace tiklo
