// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Key.h"

#include <fcitx-utils/key.h>

#include <string>

namespace tiklo {

// fcitx's keys in Tiklo's terms, translated here once.
struct FcitxKeys {
    // Ctrl, Alt or Super (either of fcitx's Super bits): a shortcut, never text.
    static bool isShortcut(const fcitx::Key& key);
    // The key with its modifiers (GTK's virtual Super counts as Super), and its place on the
    // digit row by its X keycode.
    static Key toKey(const fcitx::Key& key);
    // What the key types, as UTF-8.
    static std::string text(const fcitx::Key& key);
};

} // namespace tiklo
