// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Hotkey.h"
#include "core/HotkeyCodec.h"
#include "core/KeyNames.h"

#include <array>
#include <map>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

// Every key the settings file can keep a shortcut with, by macOS key code, with its name: the
// table whole, so that a code storing one key as another or a slip in a name shows.
TEST(HotkeyCodecTest, EveryStorableKeyCodeIsOneNamedKeyAndTheStoredFormTwoUnsigned32BitIntegers) {
    const std::map<std::uint32_t, std::string> named{
        {0, "A"},           {11, "B"},         {8, "C"},       {2, "D"},      {14, "E"},
        {3, "F"},           {5, "G"},          {4, "H"},       {34, "I"},     {38, "J"},
        {40, "K"},          {37, "L"},         {46, "M"},      {45, "N"},     {31, "O"},
        {35, "P"},          {12, "Q"},         {15, "R"},      {1, "S"},      {17, "T"},
        {32, "U"},          {9, "V"},          {13, "W"},      {7, "X"},      {16, "Y"},
        {6, "Z"},           {29, "0"},         {18, "1"},      {19, "2"},     {20, "3"},
        {21, "4"},          {23, "5"},         {22, "6"},      {26, "7"},     {28, "8"},
        {25, "9"},          {49, "Space"},     {36, "Return"}, {48, "Tab"},   {51, "Backspace"},
        {53, "Esc"},        {117, "Delete"},   {115, "Home"},  {119, "End"},  {116, "Page Up"},
        {121, "Page Down"}, {123, "Left"},     {124, "Right"}, {125, "Down"}, {126, "Up"},
        {122, "F1"},        {120, "F2"},       {99, "F3"},     {118, "F4"},   {96, "F5"},
        {97, "F6"},         {98, "F7"},        {100, "F8"},    {101, "F9"},   {109, "F10"},
        {103, "F11"},       {111, "F12"},      {105, "F13"},   {107, "F14"},  {113, "F15"},
        {106, "F16"},       {64, "F17"},       {79, "F18"},    {80, "F19"},   {90, "F20"},
        {27, "-"},          {24, "="},         {33, "["},      {30, "]"},     {42, "\\"},
        {41, ";"},          {39, "'"},         {43, ","},      {47, "."},     {44, "/"},
        {50, "`"},          {65, "Num+."},     {67, "Num+*"},  {69, "Num++"}, {71, "Num Lock"},
        {75, "Num+/"},      {76, "Num+Enter"}, {78, "Num+-"},  {81, "Num+="}, {82, "Num+0"},
        {83, "Num+1"},      {84, "Num+2"},     {85, "Num+3"},  {86, "Num+4"}, {87, "Num+5"},
        {88, "Num+6"},      {89, "Num+7"},     {91, "Num+8"},  {92, "Num+9"},
    };
    ASSERT_EQ(named.size(), 99u);
    std::size_t stored = 0;
    for (std::uint32_t code = 0; code < 256; ++code) {
        const std::optional<KeySym> sym = HotkeyCodec::keysymOf(code);
        if (!sym) {
            continue;
        }
        ++stored;
        // Two codes sharing a key would store one hotkey as another.
        EXPECT_EQ(HotkeyCodec::keyCodeOf(*sym), code) << code;
        ASSERT_TRUE(named.contains(code)) << code;
        EXPECT_EQ(KeyNames::keyName(*sym), named.at(code)) << code;
    }
    EXPECT_EQ(stored, named.size());
    // Over every keysym of the Latin-1 and function ranges: named exactly when storable
    // (a shifted letter's upper-case keysym is its key).
    for (KeySym sym = 0; sym <= 0xffff; ++sym) {
        EXPECT_EQ(KeyNames::keyName(sym) != "?", HotkeyCodec::keyCodeOf(sym).has_value()) << sym;
    }
    EXPECT_EQ(KeyNames::keyName('Q'), "Q");
    EXPECT_EQ(HotkeyCodec::keyCodeOf('E'), 14U);
    EXPECT_EQ(HotkeyCodec::keyCodeOf('!'), std::nullopt);
    EXPECT_EQ(HotkeyCodec::keysymOf(90 + 0x10000), std::nullopt);
    // Keysyms beyond the Latin-1 and function ranges (Unicode ones) and none are unnamed.
    EXPECT_EQ(KeyNames::keyName(0x01000041), "?");
    EXPECT_EQ(KeyNames::keyName(keysym::none), "?");
    EXPECT_EQ(HotkeyCodec::keyCodeOf(keysym::none), std::nullopt);

    // The stored form needs two unsigned 32-bit integers.
    EXPECT_EQ(HotkeyCodec::encode(Hotkey{}), R"({"keyCode":14,"modifiers":6144})");
    const Key everything{keysym::space,
                         Modifier::ctrl | Modifier::alt | Modifier::shift | Modifier::super};
    EXPECT_EQ(HotkeyCodec::encode({everything}), R"({"keyCode":49,"modifiers":6912})");
    EXPECT_EQ(HotkeyCodec::decode(R"({"modifiers":6912,"keyCode":49})"), Hotkey{everything});
    // Each Carbon bit alone.
    const std::pair<std::uint32_t, Modifier> bits[] = {{0x100, Modifier::super},
                                                       {0x200, Modifier::shift},
                                                       {0x800, Modifier::alt},
                                                       {0x1000, Modifier::ctrl}};
    for (const auto& [bit, modifier] : bits) {
        const std::string json = R"({"keyCode":0,"modifiers":)" + std::to_string(bit) + "}";
        EXPECT_EQ(HotkeyCodec::decode(json), (Hotkey{{keysym::letter('a'), modifier}})) << bit;
        EXPECT_EQ(HotkeyCodec::encode({{keysym::letter('a'), modifier}}), json);
    }
    // Bits that are none of the four are read as nothing; codes without a key as a key
    // without symbol, which no system grants and which shows as "?".
    EXPECT_EQ(HotkeyCodec::decode(R"({"keyCode":0,"modifiers":524800})"),
              (Hotkey{{keysym::letter('a'), Modifier::shift}})); // 0x80000 | 0x200
    EXPECT_EQ(HotkeyCodec::decode(R"({"keyCode":4294967295,"modifiers":256})"),
              (Hotkey{{keysym::none, Modifier::super}}));
    // A key with no macOS code has no stored form.
    EXPECT_EQ(HotkeyCodec::encode({{keysym::none, Modifier::ctrl}}), std::nullopt);
    EXPECT_EQ(HotkeyCodec::encode({{0x00e4, Modifier::ctrl}}), std::nullopt); // ä

    for (const char* bad :
         {R"({"keyCode":14})", R"({"keyCode":14,"modifiers":"6144"})",
          R"({"keyCode":14.5,"modifiers":6144})", R"({"keyCode":-1,"modifiers":6144})",
          R"({"keyCode":4294967296,"modifiers":6144})", R"([14,6144])", R"("E")", "{",
          R"({"keyCode":14,"modifiers":null})"}) {
        EXPECT_EQ(HotkeyCodec::decode(bad), std::nullopt) << bad;
    }
}

// Modifiers is a set: one name for each of the sixteen sets, in the desktop's order.
TEST(KeyNamesTest, ModifiersComeInTheDesktopsOrderAndAShortcutIsTheKeyTypingItWithExactlyThem) {
    // Bit 0 Ctrl, 1 Alt, 2 Shift, 3 Super.
    constexpr std::array<Modifier, 4> modifier{Modifier::ctrl, Modifier::alt, Modifier::shift,
                                               Modifier::super};
    const std::array<std::string_view, 16> expected{
        "Space",
        "Ctrl+Space",
        "Alt+Space",
        "Ctrl+Alt+Space",
        "Shift+Space",
        "Ctrl+Shift+Space",
        "Alt+Shift+Space",
        "Ctrl+Alt+Shift+Space",
        "Super+Space",
        "Ctrl+Super+Space",
        "Alt+Super+Space",
        "Ctrl+Alt+Super+Space",
        "Shift+Super+Space",
        "Ctrl+Shift+Super+Space",
        "Alt+Shift+Super+Space",
        "Ctrl+Alt+Shift+Super+Space",
    };
    for (std::size_t set = 0; set < expected.size(); ++set) {
        Modifiers modifiers;
        for (std::size_t bit = 0; bit < modifier.size(); ++bit) {
            if ((set & (1U << bit)) != 0) {
                modifiers = modifiers | modifier[bit];
            }
        }
        EXPECT_EQ(KeyNames::format({keysym::space, modifiers}), expected[set]);
    }
    // A key without a name (the key code table names them) still shows its modifiers.
    EXPECT_EQ(KeyNames::format({0xff61, Modifier::super}), "Super+?"); // Print
    EXPECT_EQ(Hotkey{}.display(), "Ctrl+Alt+E");

    // A shortcut on a digit is the digit row's key with exactly its modifiers, whatever the layout
    // or Shift makes it type; any other is its keysym in either case, with exactly its modifiers.
    const std::array<KeySym, 10> usShifted{'!', '@', '#', '$', '%', '^', '&', '*', '(', ')'};
    const Modifiers ctrlShift = Modifier::ctrl | Modifier::shift;
    const Modifiers ctrlAlt = Modifier::ctrl | Modifier::alt;
    for (int place = 1; place <= 10; ++place) {
        const int value = place % 10;
        const Hotkey withShift{{keysym::digit(value), ctrlShift}};
        const KeySym shifted = usShifted[static_cast<std::size_t>(place - 1)];
        EXPECT_TRUE(withShift.isTypedAs(Key(shifted, ctrlShift, place))) << value;
        EXPECT_TRUE((Hotkey{{keysym::digit(value), ctrlAlt}}.isTypedAs(Key('&', ctrlAlt, place))))
            << value;
        EXPECT_FALSE(withShift.isTypedAs(Key(shifted, ctrlShift, place % 10 + 1))) << value;
        EXPECT_FALSE(withShift.isTypedAs(Key(shifted, Modifier::shift, place))) << value;
        EXPECT_FALSE(withShift.isTypedAs(Key(shifted, ctrlShift | Modifier::alt, place))) << value;
        // A front end that knows no place: the keysym.
        EXPECT_TRUE(withShift.isTypedAs(Key(keysym::digit(value), ctrlShift))) << value;
    }
    const Hotkey ctrlAltE;
    EXPECT_TRUE(ctrlAltE.isTypedAs(Key('e', ctrlAlt)));
    EXPECT_FALSE(ctrlAltE.isTypedAs(Key('E', ctrlAlt | Modifier::shift)));
    EXPECT_FALSE(ctrlAltE.isTypedAs(Key('r', ctrlAlt)));
    EXPECT_TRUE((Hotkey{{'e', Modifier::super | Modifier::shift}}.isTypedAs(
        Key('E', Modifier::super | Modifier::shift))));

    // The keysym ranges end where X's table ends them: one past either end is another kind of key.
    for (const KeySym sym : {0xffe1u, 0xffeeu, 0xfe01u, 0xfe0fu}) {
        EXPECT_TRUE(keysym::isModifier(sym)) << std::hex << sym;
    }
    for (const KeySym sym : {0xffe0u, 0xffefu, 0xfe00u, 0xfe10u}) {
        EXPECT_FALSE(keysym::isModifier(sym)) << std::hex << sym;
    }
    EXPECT_TRUE(keysym::isDeadKey(0xfe50) && keysym::isDeadKey(0xfe93));
    EXPECT_FALSE(keysym::isDeadKey(0xfe4f) || keysym::isDeadKey(0xfe94));
}

} // namespace
} // namespace tiklo
