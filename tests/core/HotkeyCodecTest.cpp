// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotkeyCodec.h"
#include "core/Hotkey.h"
#include "core/KeyNames.h"

#include <array>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

TEST(HotkeyCodecTest, EveryKeyCodeNamesOneKeyAndBack) {
    int known = 0;
    for (std::uint32_t code = 0; code < 256; ++code) {
        if (const std::optional<KeySym> sym = HotkeyCodec::keysymOf(code)) {
            ++known;
            // Two codes sharing a key would store one hotkey as another.
            EXPECT_EQ(HotkeyCodec::keyCodeOf(*sym), code) << code;
            EXPECT_NE(*sym, keysym::none);
        }
    }
    EXPECT_EQ(known, 99);
    EXPECT_EQ(HotkeyCodec::keysymOf(10), std::nullopt); // ISO section key
    EXPECT_EQ(HotkeyCodec::keysymOf(90 + 0x10000), std::nullopt);
    EXPECT_EQ(HotkeyCodec::keyCodeOf('E'), 14U); // a shifted letter is the same key
    EXPECT_EQ(HotkeyCodec::keyCodeOf('!'), std::nullopt);
    EXPECT_EQ(HotkeyCodec::keyCodeOf(keysym::none), std::nullopt);

    // The letters and digits at their macOS codes (the other keys' are the key names' table).
    constexpr std::array<std::uint32_t, 26> letters{0,  11, 8,  2,  14, 3,  5,  4,  34,
                                                    38, 40, 37, 46, 45, 31, 35, 12, 15,
                                                    1,  17, 32, 9,  13, 7,  16, 6};
    constexpr std::array<std::uint32_t, 10> digits{29, 18, 19, 20, 21, 23, 22, 26, 28, 25};
    for (std::size_t i = 0; i < letters.size(); ++i) {
        EXPECT_EQ(KeyNames::keyName(*HotkeyCodec::keysymOf(letters[i])),
                  std::string(1, static_cast<char>('A' + i)));
    }
    for (std::size_t i = 0; i < digits.size(); ++i) {
        EXPECT_EQ(KeyNames::keyName(*HotkeyCodec::keysymOf(digits[i])),
                  std::string(1, static_cast<char>('0' + i)));
    }
}

TEST(HotkeyCodecTest, StoredFormNeedsTwoUnsigned32BitIntegers) {
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
    EXPECT_EQ(HotkeyCodec::decode(R"({"keyCode":4294967295,"modifiers":256})")->display(),
              "Super+?");
    EXPECT_EQ(HotkeyCodec::decode(R"({"keyCode":122,"modifiers":256})")->display(), "Super+F1");
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

} // namespace
} // namespace tiklo

namespace tiklo {
namespace {

// A shortcut on a digit is the digit row's key with exactly its modifiers, whatever the layout
// or Shift makes it type; any other is its keysym in either case, with exactly its modifiers.
TEST(HotkeyTest, AShortcutIsTheKeyThatTypesItWithExactlyItsModifiers) {
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
}

} // namespace
} // namespace tiklo
