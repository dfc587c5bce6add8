// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/KeyNames.h"

#include <array>
#include <string>
#include <utility>

namespace tiklo {
namespace {

constexpr std::array<std::pair<Modifier, const char*>, 4> modifierNames{{
    {Modifier::ctrl, "Ctrl"},
    {Modifier::alt, "Alt"},
    {Modifier::shift, "Shift"},
    {Modifier::super, "Super"},
}};

// Every other key a shortcut can be stored with, named as desktops write them. Punctuation
// keysyms are the characters' own codes and are shown as those characters.
constexpr auto namedKeys = std::to_array<std::pair<KeySym, const char*>>({
    {keysym::space, "Space"},
    {keysym::returnKey, "Return"},
    {keysym::escape, "Esc"},
    {keysym::tab, "Tab"},
    {keysym::backSpace, "Backspace"},
    {keysym::del, "Delete"},
    {keysym::home, "Home"},
    {keysym::end, "End"},
    {keysym::pageUp, "Page Up"},
    {keysym::pageDown, "Page Down"},
    {keysym::left, "Left"},
    {keysym::right, "Right"},
    {keysym::up, "Up"},
    {keysym::down, "Down"},
    {'-', "-"},
    {'=', "="},
    {'[', "["},
    {']', "]"},
    {'\\', "\\"},
    {';', ";"},
    {'\'', "'"},
    {',', ","},
    {'.', "."},
    {'/', "/"},
    {'`', "`"},
    {keysym::keypadDecimal, "Num+."},
    {keysym::keypadMultiply, "Num+*"},
    {keysym::keypadAdd, "Num++"},
    {keysym::numLock, "Num Lock"},
    {keysym::keypadDivide, "Num+/"},
    {keysym::keypadEnter, "Num+Enter"},
    {keysym::keypadSubtract, "Num+-"},
    {keysym::keypadEqual, "Num+="},
});

// F1 to F20, and the keypad's digits, are named by their number.
constexpr KeySym keypadZero = keysym::keypadDigit(0);
constexpr int keypadDigitCount = 10;

// Upper-case letters have keysyms of their own (a shifted letter key), named alike.
constexpr KeySym upperA = 'A';
constexpr KeySym upperZ = 'Z';

} // namespace

std::string KeyNames::keyName(KeySym sym) {
    if (sym >= keysym::letter('a') && sym <= keysym::letter('z')) {
        return std::string(1, static_cast<char>(sym - keysym::letter('a') + 'A'));
    }
    if ((sym >= upperA && sym <= upperZ) || (sym >= keysym::digit(0) && sym <= keysym::digit(9))) {
        return std::string(1, static_cast<char>(sym));
    }
    if (sym >= keysym::f1 && sym < keysym::f1 + keysym::functionKeyCount) {
        return "F" + std::to_string(sym - keysym::f1 + 1);
    }
    if (sym >= keypadZero && sym < keypadZero + keypadDigitCount) {
        return "Num+" + std::to_string(sym - keypadZero);
    }
    for (const auto& [known, name] : namedKeys) {
        if (known == sym) {
            return name;
        }
    }
    return "?";
}

std::string KeyNames::format(const Key& key) {
    std::string text;
    for (const auto& [modifier, name] : modifierNames) {
        if (key.modifiers.has(modifier)) {
            text += name;
            text += '+';
        }
    }
    return text + keyName(key.sym);
}

} // namespace tiklo
