// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtKeys.h"

#include <array>
#include <utility>

namespace tiklo {
namespace {

constexpr std::array<std::pair<Qt::KeyboardModifier, Modifier>, 4> qtModifiers{{
    {Qt::ControlModifier, Modifier::ctrl},
    {Qt::AltModifier, Modifier::alt},
    {Qt::ShiftModifier, Modifier::shift},
    {Qt::MetaModifier, Modifier::super},
}};

// Qt's keys outside Latin-1 that the picker routes or a shortcut can be stored with; F1 to
// F20 follow one another.
constexpr auto namedKeys = std::to_array<std::pair<int, KeySym>>({
    {Qt::Key_Escape, keysym::escape},
    {Qt::Key_Return, keysym::returnKey},
    {Qt::Key_Enter, keysym::keypadEnter},
    {Qt::Key_Tab, keysym::tab},
    {Qt::Key_Backspace, keysym::backSpace},
    {Qt::Key_Delete, keysym::del},
    {Qt::Key_Home, keysym::home},
    {Qt::Key_End, keysym::end},
    {Qt::Key_PageUp, keysym::pageUp},
    {Qt::Key_PageDown, keysym::pageDown},
    {Qt::Key_Left, keysym::left},
    {Qt::Key_Right, keysym::right},
    {Qt::Key_Up, keysym::up},
    {Qt::Key_Down, keysym::down},
});

constexpr int latin1End = 0xff;

} // namespace

Modifiers QtKeys::modifiersOf(Qt::KeyboardModifiers held) {
    Modifiers modifiers;
    for (const auto& [qtModifier, modifier] : qtModifiers) {
        if (held.testFlag(qtModifier)) {
            modifiers = modifiers | modifier;
        }
    }
    return modifiers;
}

KeySym QtKeys::keysymOf(int key, std::uint32_t nativeKeysym) {
    if (nativeKeysym == keysym::linefeed) {
        return keysym::linefeed;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return keysym::letter(static_cast<char>(key - Qt::Key_A + 'a'));
    }
    if (key >= Qt::Key_Space && key <= latin1End) {
        return static_cast<KeySym>(key);
    }
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + keysym::functionKeyCount) {
        return keysym::f1 + static_cast<KeySym>(key - Qt::Key_F1);
    }
    for (const auto& [qtKey, sym] : namedKeys) {
        if (qtKey == key) {
            return sym;
        }
    }
    return keysym::none;
}

} // namespace tiklo
