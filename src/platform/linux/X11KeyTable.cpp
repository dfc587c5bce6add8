#include "platform/linux/X11KeyTable.h"

#include "platform/KeyDown.h"

#include <array>

#include <xcb/xproto.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace tiklo {
namespace {

struct KeyEntry {
    std::uint32_t keyCode;
    std::uint32_t keysym;
};

constexpr auto keys = std::to_array<KeyEntry>({
    // Letters.
    {0, XKB_KEY_a},
    {11, XKB_KEY_b},
    {8, XKB_KEY_c},
    {2, XKB_KEY_d},
    {14, XKB_KEY_e},
    {3, XKB_KEY_f},
    {5, XKB_KEY_g},
    {4, XKB_KEY_h},
    {34, XKB_KEY_i},
    {38, XKB_KEY_j},
    {40, XKB_KEY_k},
    {37, XKB_KEY_l},
    {46, XKB_KEY_m},
    {45, XKB_KEY_n},
    {31, XKB_KEY_o},
    {35, XKB_KEY_p},
    {12, XKB_KEY_q},
    {15, XKB_KEY_r},
    {1, XKB_KEY_s},
    {17, XKB_KEY_t},
    {32, XKB_KEY_u},
    {9, XKB_KEY_v},
    {13, XKB_KEY_w},
    {7, XKB_KEY_x},
    {16, XKB_KEY_y},
    {6, XKB_KEY_z},
    // Digits.
    {29, XKB_KEY_0},
    {18, XKB_KEY_1},
    {19, XKB_KEY_2},
    {20, XKB_KEY_3},
    {21, XKB_KEY_4},
    {23, XKB_KEY_5},
    {22, XKB_KEY_6},
    {26, XKB_KEY_7},
    {28, XKB_KEY_8},
    {25, XKB_KEY_9},
    // Editing and navigation.
    {49, XKB_KEY_space},
    {36, XKB_KEY_Return},
    {48, XKB_KEY_Tab},
    {51, XKB_KEY_BackSpace},
    {53, XKB_KEY_Escape},
    {117, XKB_KEY_Delete},
    {115, XKB_KEY_Home},
    {119, XKB_KEY_End},
    {116, XKB_KEY_Page_Up},
    {121, XKB_KEY_Page_Down},
    {123, XKB_KEY_Left},
    {124, XKB_KEY_Right},
    {125, XKB_KEY_Down},
    {126, XKB_KEY_Up},
    // Function keys.
    {122, XKB_KEY_F1},
    {120, XKB_KEY_F2},
    {99, XKB_KEY_F3},
    {118, XKB_KEY_F4},
    {96, XKB_KEY_F5},
    {97, XKB_KEY_F6},
    {98, XKB_KEY_F7},
    {100, XKB_KEY_F8},
    {101, XKB_KEY_F9},
    {109, XKB_KEY_F10},
    {103, XKB_KEY_F11},
    {111, XKB_KEY_F12},
    {105, XKB_KEY_F13},
    {107, XKB_KEY_F14},
    {113, XKB_KEY_F15},
    {106, XKB_KEY_F16},
    {64, XKB_KEY_F17},
    {79, XKB_KEY_F18},
    {80, XKB_KEY_F19},
    {90, XKB_KEY_F20},
    // Punctuation.
    {27, XKB_KEY_minus},
    {24, XKB_KEY_equal},
    {33, XKB_KEY_bracketleft},
    {30, XKB_KEY_bracketright},
    {42, XKB_KEY_backslash},
    {41, XKB_KEY_semicolon},
    {39, XKB_KEY_apostrophe},
    {43, XKB_KEY_comma},
    {47, XKB_KEY_period},
    {44, XKB_KEY_slash},
    {50, XKB_KEY_grave},
    // Keypad; the Mac's Clear key sits where PC keyboards have Num Lock.
    {65, XKB_KEY_KP_Decimal},
    {67, XKB_KEY_KP_Multiply},
    {69, XKB_KEY_KP_Add},
    {71, XKB_KEY_Num_Lock},
    {75, XKB_KEY_KP_Divide},
    {76, XKB_KEY_KP_Enter},
    {78, XKB_KEY_KP_Subtract},
    {81, XKB_KEY_KP_Equal},
    {82, XKB_KEY_KP_0},
    {83, XKB_KEY_KP_1},
    {84, XKB_KEY_KP_2},
    {85, XKB_KEY_KP_3},
    {86, XKB_KEY_KP_4},
    {87, XKB_KEY_KP_5},
    {88, XKB_KEY_KP_6},
    {89, XKB_KEY_KP_7},
    {91, XKB_KEY_KP_8},
    {92, XKB_KEY_KP_9},
});

struct ModifierEntry {
    std::uint32_t carbon;
    std::uint16_t x;
    std::uint64_t flag;
};

constexpr auto modifiers = std::to_array<ModifierEntry>({
    {0x100, XCB_MOD_MASK_4, modifierFlags::command}, // Command = Super
    {0x200, XCB_MOD_MASK_SHIFT, modifierFlags::shift},
    {0x800, XCB_MOD_MASK_1, modifierFlags::option}, // Option = Alt
    {0x1000, XCB_MOD_MASK_CONTROL, modifierFlags::control},
});

} // namespace

std::optional<std::uint32_t> X11KeyTable::keysymForKeyCode(std::uint32_t keyCode) {
    for (const KeyEntry& entry : keys) {
        if (entry.keyCode == keyCode) {
            return entry.keysym;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> X11KeyTable::keyCodeForKeysym(std::uint32_t keysym) {
    // Shift (or Caps Lock) turns a letter key's keysym upper-case; the key is the same.
    if (keysym >= XKB_KEY_A && keysym <= XKB_KEY_Z) {
        keysym += XKB_KEY_a - XKB_KEY_A;
    }
    for (const KeyEntry& entry : keys) {
        if (entry.keysym == keysym) {
            return entry.keyCode;
        }
    }
    return std::nullopt;
}

std::uint16_t X11KeyTable::xModifiers(std::uint32_t carbonModifiers) {
    std::uint16_t mask = 0;
    for (const ModifierEntry& entry : modifiers) {
        if ((carbonModifiers & entry.carbon) != 0) {
            mask |= entry.x;
        }
    }
    return mask;
}

std::uint32_t X11KeyTable::carbonModifiers(std::uint16_t xModifiers) {
    std::uint32_t mask = 0;
    for (const ModifierEntry& entry : modifiers) {
        if ((xModifiers & entry.x) != 0) {
            mask |= entry.carbon;
        }
    }
    return mask;
}

bool X11KeyTable::translatesModifiers(std::uint32_t carbonModifiers) {
    std::uint32_t known = 0;
    for (const ModifierEntry& entry : modifiers) {
        known |= entry.carbon;
    }
    return (carbonModifiers & ~known) == 0;
}

std::uint64_t X11KeyTable::eventFlags(std::uint16_t xModifiers) {
    std::uint64_t flags = 0;
    for (const ModifierEntry& entry : modifiers) {
        if ((xModifiers & entry.x) != 0) {
            flags |= entry.flag;
        }
    }
    return flags;
}

} // namespace tiklo
