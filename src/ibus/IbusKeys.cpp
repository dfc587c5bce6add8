// SPDX-License-Identifier: GPL-3.0-or-later
#include "ibus/IbusKeys.h"

#include "core/DigitRow.h"

#include <ibus.h>

#include <utility>

namespace tiklo {

Key IbusKeys::toKey(unsigned keyval, unsigned keycode, unsigned state) {
    const std::pair<unsigned, Modifier> modifiers[] = {{IBUS_CONTROL_MASK, Modifier::ctrl},
                                                       {IBUS_MOD1_MASK, Modifier::alt},
                                                       {IBUS_SHIFT_MASK, Modifier::shift},
                                                       {IBUS_SUPER_MASK, Modifier::super},
                                                       {IBUS_MOD4_MASK, Modifier::super}};
    Modifiers held;
    for (const auto& [mask, modifier] : modifiers) {
        if ((state & mask) != 0) {
            held = held | modifier;
        }
    }
    return Key(static_cast<KeySym>(keyval), held, DigitRow::ofEvdevCode(keycode));
}

std::string IbusKeys::text(unsigned keyval) {
    const gunichar c = ibus_keyval_to_unicode(keyval);
    // Return, Tab, BackSpace and Delete map to control characters: they type no text.
    if (c == 0 || g_unichar_iscntrl(c)) {
        return {};
    }
    char utf8[6];
    const gint length = g_unichar_to_utf8(c, utf8);
    return std::string(utf8, static_cast<std::size_t>(length));
}

} // namespace tiklo
