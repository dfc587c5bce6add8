// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyCodec.h"

#include <array>
#include <exception>
#include <limits>
#include <utility>

#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

struct KeyCode {
    std::uint32_t macCode;
    KeySym sym;
};

// macOS virtual key codes (positions on a US-ANSI keyboard) and the keys they name.
constexpr auto keyCodes = std::to_array<KeyCode>({
    // Letters.
    {0, keysym::letter('a')},
    {11, keysym::letter('b')},
    {8, keysym::letter('c')},
    {2, keysym::letter('d')},
    {14, keysym::letter('e')},
    {3, keysym::letter('f')},
    {5, keysym::letter('g')},
    {4, keysym::letter('h')},
    {34, keysym::letter('i')},
    {38, keysym::letter('j')},
    {40, keysym::letter('k')},
    {37, keysym::letter('l')},
    {46, keysym::letter('m')},
    {45, keysym::letter('n')},
    {31, keysym::letter('o')},
    {35, keysym::letter('p')},
    {12, keysym::letter('q')},
    {15, keysym::letter('r')},
    {1, keysym::letter('s')},
    {17, keysym::letter('t')},
    {32, keysym::letter('u')},
    {9, keysym::letter('v')},
    {13, keysym::letter('w')},
    {7, keysym::letter('x')},
    {16, keysym::letter('y')},
    {6, keysym::letter('z')},
    // Digits.
    {29, keysym::digit(0)},
    {18, keysym::digit(1)},
    {19, keysym::digit(2)},
    {20, keysym::digit(3)},
    {21, keysym::digit(4)},
    {23, keysym::digit(5)},
    {22, keysym::digit(6)},
    {26, keysym::digit(7)},
    {28, keysym::digit(8)},
    {25, keysym::digit(9)},
    // Editing and navigation: Space, Return, Tab, Delete (BackSpace), Escape, Forward
    // Delete, Home, End, Page Up, Page Down and the arrows.
    {49, keysym::space},
    {36, keysym::returnKey},
    {48, keysym::tab},
    {51, keysym::backSpace},
    {53, keysym::escape},
    {117, keysym::del},
    {115, keysym::home},
    {119, keysym::end},
    {116, keysym::pageUp},
    {121, keysym::pageDown},
    {123, keysym::left},
    {124, keysym::right},
    {125, keysym::down},
    {126, keysym::up},
    // F1 to F20.
    {122, keysym::function(1)},
    {120, keysym::function(2)},
    {99, keysym::function(3)},
    {118, keysym::function(4)},
    {96, keysym::function(5)},
    {97, keysym::function(6)},
    {98, keysym::function(7)},
    {100, keysym::function(8)},
    {101, keysym::function(9)},
    {109, keysym::function(10)},
    {103, keysym::function(11)},
    {111, keysym::function(12)},
    {105, keysym::function(13)},
    {107, keysym::function(14)},
    {113, keysym::function(15)},
    {106, keysym::function(16)},
    {64, keysym::function(17)},
    {79, keysym::function(18)},
    {80, keysym::function(19)},
    {90, keysym::function(20)},
    // Punctuation: these keysyms are the characters' own codes.
    {27, '-'},
    {24, '='},
    {33, '['},
    {30, ']'},
    {42, '\\'},
    {41, ';'},
    {39, '\''},
    {43, ','},
    {47, '.'},
    {44, '/'},
    {50, '`'},
    // Keypad: decimal point, *, +, Clear (where PC keyboards have Num Lock), /, Enter, -,
    // =, then the digits.
    {65, keysym::keypadDecimal},
    {67, keysym::keypadMultiply},
    {69, keysym::keypadAdd},
    {71, keysym::numLock},
    {75, keysym::keypadDivide},
    {76, keysym::keypadEnter},
    {78, keysym::keypadSubtract},
    {81, keysym::keypadEqual},
    {82, keysym::keypadDigit(0)},
    {83, keysym::keypadDigit(1)},
    {84, keysym::keypadDigit(2)},
    {85, keysym::keypadDigit(3)},
    {86, keysym::keypadDigit(4)},
    {87, keysym::keypadDigit(5)},
    {88, keysym::keypadDigit(6)},
    {89, keysym::keypadDigit(7)},
    {91, keysym::keypadDigit(8)},
    {92, keysym::keypadDigit(9)},
});

constexpr std::array<std::pair<std::uint32_t, Modifier>, 4> modifierBits{{
    {HotkeyCodec::controlBit, Modifier::ctrl},
    {HotkeyCodec::optionBit, Modifier::alt},
    {HotkeyCodec::shiftBit, Modifier::shift},
    {HotkeyCodec::commandBit, Modifier::super},
}};

std::optional<std::uint32_t> readUInt32(const nlohmann::json& object, const char* member) {
    const auto found = object.find(member);
    if (found == object.end() || !found->is_number_integer()) {
        return std::nullopt;
    }
    // The reader keeps negative numbers signed and large ones unsigned.
    if (found->is_number_unsigned()) {
        const auto number = found->get<std::uint64_t>();
        if (number <= std::numeric_limits<std::uint32_t>::max()) {
            return static_cast<std::uint32_t>(number);
        }
        return std::nullopt;
    }
    const auto number = found->get<std::int64_t>();
    if (number >= 0 && number <= std::numeric_limits<std::uint32_t>::max()) {
        return static_cast<std::uint32_t>(number);
    }
    return std::nullopt;
}

} // namespace

std::optional<KeySym> HotkeyCodec::keysymOf(std::uint32_t keyCode) {
    for (const KeyCode& entry : keyCodes) {
        if (entry.macCode == keyCode) {
            return entry.sym;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> HotkeyCodec::keyCodeOf(KeySym sym) {
    // Shift (or Caps Lock) turns a letter key's keysym upper-case; the key is the same.
    if (sym >= 'A' && sym <= 'Z') {
        sym += keysym::letter('a') - 'A';
    }
    for (const KeyCode& entry : keyCodes) {
        if (entry.sym == sym) {
            return entry.macCode;
        }
    }
    return std::nullopt;
}

std::optional<std::string> HotkeyCodec::encode(const Hotkey& hotkey) {
    const std::optional<std::uint32_t> keyCode = keyCodeOf(hotkey.key.sym);
    if (!keyCode) {
        return std::nullopt;
    }
    std::uint32_t mask = 0;
    for (const auto& [bit, modifier] : modifierBits) {
        if (hotkey.key.modifiers.has(modifier)) {
            mask |= bit;
        }
    }
    return nlohmann::json{{"keyCode", *keyCode}, {"modifiers", mask}}.dump();
}

std::optional<Hotkey> HotkeyCodec::decode(std::string_view json) {
    const nlohmann::json parsed = nlohmann::json::parse(json, nullptr, false);
    if (!parsed.is_object()) {
        return std::nullopt;
    }
    const std::optional<std::uint32_t> keyCode = readUInt32(parsed, "keyCode");
    const std::optional<std::uint32_t> mask = readUInt32(parsed, "modifiers");
    if (!keyCode || !mask) {
        return std::nullopt;
    }
    Hotkey hotkey;
    hotkey.key = Key{keysymOf(*keyCode).value_or(keysym::none), {}};
    for (const auto& [bit, modifier] : modifierBits) {
        if ((*mask & bit) != 0) {
            hotkey.key.modifiers = hotkey.key.modifiers | modifier;
        }
    }
    return hotkey;
}

} // namespace tiklo
