// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Hotkey.h"

#include "core/KeyNames.h"

namespace tiklo {

std::string Hotkey::display() const {
    return KeyNames::format(key);
}

namespace {

constexpr int digitRowOfZero = 10;

KeySym lowerCase(KeySym sym) {
    return sym >= 'A' && sym <= 'Z' ? sym - 'A' + 'a' : sym;
}

} // namespace

bool Hotkey::isTypedAs(const Key& typed) const {
    if (typed.modifiers != key.modifiers) {
        return false;
    }
    if (typed.digitRow != 0 && key.sym >= keysym::digit(0) && key.sym <= keysym::digit(9)) {
        const int digit = static_cast<int>(key.sym - keysym::digit(0));
        return typed.digitRow == (digit == 0 ? digitRowOfZero : digit);
    }
    return lowerCase(typed.sym) == lowerCase(key.sym);
}

} // namespace tiklo
