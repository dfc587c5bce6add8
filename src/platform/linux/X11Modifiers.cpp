// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11Modifiers.h"

#include <array>
#include <utility>

#include <xcb/xproto.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace tiklo {

// The keysyms Tiklo names are X's.
static_assert(
    keysym::none == XKB_KEY_NoSymbol && keysym::space == XKB_KEY_space &&
    keysym::backSpace == XKB_KEY_BackSpace && keysym::tab == XKB_KEY_Tab &&
    keysym::isoLeftTab == XKB_KEY_ISO_Left_Tab && keysym::keypadTab == XKB_KEY_KP_Tab &&
    keysym::keypadLeft == XKB_KEY_KP_Left && keysym::keypadUp == XKB_KEY_KP_Up &&
    keysym::keypadRight == XKB_KEY_KP_Right && keysym::keypadDown == XKB_KEY_KP_Down &&
    keysym::keypadPageUp == XKB_KEY_KP_Page_Up && keysym::keypadPageDown == XKB_KEY_KP_Page_Down &&
    keysym::linefeed == XKB_KEY_Linefeed && keysym::returnKey == XKB_KEY_Return &&
    keysym::escape == XKB_KEY_Escape && keysym::left == XKB_KEY_Left && keysym::up == XKB_KEY_Up &&
    keysym::right == XKB_KEY_Right && keysym::down == XKB_KEY_Down &&
    keysym::keypadEnter == XKB_KEY_KP_Enter && keysym::digit(0) == XKB_KEY_0 &&
    keysym::digit(9) == XKB_KEY_9 && keysym::letter('a') == XKB_KEY_a &&
    keysym::letter('z') == XKB_KEY_z && keysym::del == XKB_KEY_Delete &&
    keysym::home == XKB_KEY_Home && keysym::end == XKB_KEY_End &&
    keysym::pageUp == XKB_KEY_Page_Up && keysym::pageDown == XKB_KEY_Page_Down &&
    keysym::numLock == XKB_KEY_Num_Lock && keysym::keypadMultiply == XKB_KEY_KP_Multiply &&
    keysym::keypadAdd == XKB_KEY_KP_Add && keysym::keypadSubtract == XKB_KEY_KP_Subtract &&
    keysym::keypadDecimal == XKB_KEY_KP_Decimal && keysym::keypadDivide == XKB_KEY_KP_Divide &&
    keysym::keypadEqual == XKB_KEY_KP_Equal && keysym::keypadDigit(0) == XKB_KEY_KP_0 &&
    keysym::keypadDigit(9) == XKB_KEY_KP_9 && keysym::function(1) == XKB_KEY_F1 &&
    keysym::function(20) == XKB_KEY_F20);

namespace {

constexpr std::array<std::pair<Modifier, std::uint16_t>, 4> masks{{
    {Modifier::ctrl, XCB_MOD_MASK_CONTROL},
    {Modifier::alt, XCB_MOD_MASK_1},
    {Modifier::shift, XCB_MOD_MASK_SHIFT},
    {Modifier::super, XCB_MOD_MASK_4},
}};

} // namespace

std::uint16_t X11Modifiers::mask(Modifiers modifiers) {
    std::uint16_t mask = 0;
    for (const auto& [modifier, bit] : masks) {
        if (modifiers.has(modifier)) {
            mask |= bit;
        }
    }
    return mask;
}

Modifiers X11Modifiers::from(std::uint16_t mask) {
    Modifiers modifiers;
    for (const auto& [modifier, bit] : masks) {
        if ((mask & bit) != 0) {
            modifiers = modifiers | modifier;
        }
    }
    return modifiers;
}

} // namespace tiklo
