// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/QueryKey.h"

#include <algorithm>

namespace tiklo {
namespace {

using Kind = QueryKey::Kind;

bool printable(std::string_view text) {
    constexpr unsigned char firstPrintable = 0x20;
    constexpr unsigned char deleteCharacter = 0x7f;
    return !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < firstPrintable || byte == deleteCharacter;
    });
}

// 1 to 9 for a digit key of the digit row (by place) or the keypad; 0 for any other key.
int digitOf(const Key& key) {
    if (key.digitRow >= 1 && key.digitRow <= QueryKey::choices) {
        return key.digitRow;
    }
    for (int digit = 1; digit <= QueryKey::choices; ++digit) {
        // A front end that reports no place: the digit the key types.
        if ((key.digitRow == 0 && key.sym == keysym::digit(digit)) ||
            key.sym == keysym::keypadDigit(digit)) {
            return digit;
        }
    }
    return 0;
}

} // namespace

QueryKey QueryKey::of(const Key& key, std::string_view text) {
    if (keysym::isModifier(key.sym)) {
        return {Kind::modifier, {}, 0};
    }
    if (key.modifiers.any(shortcutKeys)) {
        const int digit = digitOf(key);
        if (digit != 0 && key.modifiers.any(commandKeys) && !key.modifiers.has(Modifier::alt)) {
            return {Kind::choose, {}, digit};
        }
        return {Kind::shortcut, {}, 0};
    }
    switch (key.sym) {
    case keysym::returnKey:
    case keysym::keypadEnter:
    case keysym::linefeed:
        return {Kind::confirm, {}, 0, key.modifiers.has(Modifier::shift)};
    case keysym::tab:
    case keysym::isoLeftTab:
    case keysym::keypadTab:
        return {Kind::tab, {}, 0};
    case keysym::escape:
        return {Kind::cancel, {}, 0};
    case keysym::backSpace:
        return {Kind::erase, {}, 0};
    case keysym::up:
    case keysym::keypadUp:
        return {Kind::up, {}, 0};
    case keysym::down:
    case keysym::keypadDown:
        return {Kind::down, {}, 0};
    case keysym::left:
    case keysym::keypadLeft:
        return {Kind::left, {}, 0};
    case keysym::right:
    case keysym::keypadRight:
        return {Kind::right, {}, 0};
    case keysym::pageUp:
    case keysym::keypadPageUp:
        return {Kind::pageUp, {}, 0};
    case keysym::pageDown:
    case keysym::keypadPageDown:
        return {Kind::pageDown, {}, 0};
    default:
        break;
    }
    return printable(text) ? QueryKey{Kind::text, std::string(text), 0}
                           : QueryKey{Kind::other, {}, 0};
}

} // namespace tiklo
