// SPDX-License-Identifier: GPL-3.0-or-later
#include "fcitx5/FcitxKeys.h"

#include "core/DigitRow.h"

#include <utility>

namespace tiklo {

bool FcitxKeys::isShortcut(const fcitx::Key& key) {
    return key.states().testAny(fcitx::KeyStates{fcitx::KeyState::Ctrl, fcitx::KeyState::Alt,
                                                 fcitx::KeyState::Super, fcitx::KeyState::Super2});
}

Key FcitxKeys::toKey(const fcitx::Key& key) {
    using fcitx::KeyState;
    const std::pair<KeyState, Modifier> modifiers[] = {{KeyState::Ctrl, Modifier::ctrl},
                                                       {KeyState::Alt, Modifier::alt},
                                                       {KeyState::Shift, Modifier::shift},
                                                       {KeyState::Super, Modifier::super},
                                                       {KeyState::Super2, Modifier::super}};
    Modifiers held;
    for (const auto& [state, modifier] : modifiers) {
        if (key.states().test(state)) {
            held = held | modifier;
        }
    }
    return Key(static_cast<KeySym>(key.sym()), held,
               key.code() > 0 ? DigitRow::ofXKeycode(static_cast<unsigned>(key.code())) : 0);
}

std::string FcitxKeys::text(const fcitx::Key& key) {
    return fcitx::Key::keySymToUTF8(key.sym());
}

} // namespace tiklo
