#include "app/Hotkey.h"

#include <array>
#include <limits>
#include <stdexcept>
#include <utility>

#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

constexpr std::array<std::pair<std::uint32_t, const char*>, 39> keyNames{{
    {0, "A"},  {11, "B"},     {8, "C"},       {2, "D"},       {14, "E"}, {3, "F"},  {5, "G"},
    {4, "H"},  {34, "I"},     {38, "J"},      {40, "K"},      {37, "L"}, {46, "M"}, {45, "N"},
    {31, "O"}, {35, "P"},     {12, "Q"},      {15, "R"},      {1, "S"},  {17, "T"}, {32, "U"},
    {9, "V"},  {13, "W"},     {7, "X"},       {16, "Y"},      {6, "Z"},  {29, "0"}, {18, "1"},
    {19, "2"}, {20, "3"},     {21, "4"},      {23, "5"},      {22, "6"}, {26, "7"}, {28, "8"},
    {25, "9"}, {49, "Space"}, {36, "\u21A9"}, {53, "\u238B"},
}};

constexpr std::array<std::pair<std::uint32_t, const char*>, 4> modifierSymbols{{
    {Hotkey::controlKey, "\u2303"},
    {Hotkey::optionKey, "\u2325"},
    {Hotkey::shiftKey, "\u21E7"},
    {Hotkey::commandKey, "\u2318"},
}};

std::uint32_t readUInt32(const nlohmann::json& j, const char* member) {
    const nlohmann::json& value = j.at(member);
    if (!value.is_number_integer()) {
        throw std::invalid_argument(std::string("Hotkey: ") + member + " must be an integer");
    }
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number <= std::numeric_limits<std::uint32_t>::max()) {
            return static_cast<std::uint32_t>(number);
        }
    } else if (const auto number = value.get<std::int64_t>();
               number >= 0 && number <= std::numeric_limits<std::uint32_t>::max()) {
        return static_cast<std::uint32_t>(number);
    }
    throw std::invalid_argument(std::string("Hotkey: ") + member + " is out of range");
}

} // namespace

std::string Hotkey::keyName(std::uint32_t code) {
    for (const auto& [known, name] : keyNames) {
        if (known == code) {
            return name;
        }
    }
    return "?";
}

std::string Hotkey::display() const {
    std::string text;
    for (const auto& [bit, symbol] : modifierSymbols) {
        if ((modifiers & bit) != 0) {
            text += symbol;
        }
    }
    return text + keyName(keyCode);
}

void to_json(nlohmann::json& j, const Hotkey& hotkey) {
    j = nlohmann::json{{"keyCode", hotkey.keyCode}, {"modifiers", hotkey.modifiers}};
}

void from_json(const nlohmann::json& j, Hotkey& hotkey) {
    hotkey = Hotkey{readUInt32(j, "keyCode"), readUInt32(j, "modifiers")};
}

} // namespace tiklo
