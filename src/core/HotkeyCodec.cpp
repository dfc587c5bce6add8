#include "core/HotkeyCodec.h"

#include <array>
#include <exception>
#include <limits>
#include <utility>

#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

// Keysyms of the function and keypad keys, by number.
constexpr KeySym functionKey(int number) {
    return 0xffbe + static_cast<KeySym>(number - 1);
}
constexpr KeySym keypadDigit(int digit) {
    return 0xffb0 + static_cast<KeySym>(digit);
}

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
    {48, 0xff09},
    {51, keysym::backSpace},
    {53, keysym::escape},
    {117, 0xffff},
    {115, 0xff50},
    {119, 0xff57},
    {116, 0xff55},
    {121, 0xff56},
    {123, keysym::left},
    {124, keysym::right},
    {125, keysym::down},
    {126, keysym::up},
    // F1 to F20.
    {122, functionKey(1)},
    {120, functionKey(2)},
    {99, functionKey(3)},
    {118, functionKey(4)},
    {96, functionKey(5)},
    {97, functionKey(6)},
    {98, functionKey(7)},
    {100, functionKey(8)},
    {101, functionKey(9)},
    {109, functionKey(10)},
    {103, functionKey(11)},
    {111, functionKey(12)},
    {105, functionKey(13)},
    {107, functionKey(14)},
    {113, functionKey(15)},
    {106, functionKey(16)},
    {64, functionKey(17)},
    {79, functionKey(18)},
    {80, functionKey(19)},
    {90, functionKey(20)},
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
    {65, 0xffae},
    {67, 0xffaa},
    {69, 0xffab},
    {71, 0xff7f},
    {75, 0xffaf},
    {76, keysym::keypadEnter},
    {78, 0xffad},
    {81, 0xffbd},
    {82, keypadDigit(0)},
    {83, keypadDigit(1)},
    {84, keypadDigit(2)},
    {85, keypadDigit(3)},
    {86, keypadDigit(4)},
    {87, keypadDigit(5)},
    {88, keypadDigit(6)},
    {89, keypadDigit(7)},
    {91, keypadDigit(8)},
    {92, keypadDigit(9)},
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
