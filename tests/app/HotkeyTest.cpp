#include "app/Hotkey.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

TEST(HotkeyTest, DisplayOrdersModifiersAndNamesKnownKeys) {
    EXPECT_EQ(Hotkey{}.display(), "\u2303\u2325E");
    EXPECT_EQ((Hotkey{49, 0x1000 | 0x800 | 0x200 | 0x100}.display()),
              "\u2303\u2325\u21E7\u2318Space");
    EXPECT_EQ((Hotkey{122, 0x100}.display()), "\u2318?");
    EXPECT_EQ((Hotkey{0, 0x80000 | 0x200}.display()), "\u21E7A"); // unknown bits ignored
    EXPECT_EQ(Hotkey::keyName(6), "Z");
    EXPECT_EQ(Hotkey::keyName(25), "9");
    EXPECT_EQ(Hotkey::keyName(36), "\u21A9");
    EXPECT_EQ(Hotkey::keyName(53), "\u238B");
    EXPECT_EQ(Hotkey::keyName(10), "?");
}

TEST(HotkeyTest, JsonFormNeedsTwoUnsigned32BitIntegers) {
    EXPECT_EQ(nlohmann::json(Hotkey{}).dump(), R"({"keyCode":14,"modifiers":6144})");
    EXPECT_EQ(nlohmann::json::parse(R"({"modifiers":256,"keyCode":49})").get<Hotkey>(),
              (Hotkey{49, 256}));
    EXPECT_EQ(nlohmann::json::parse(R"({"keyCode":4294967295,"modifiers":0})").get<Hotkey>(),
              (Hotkey{4294967295u, 0}));
    for (const char* bad :
         {R"({"keyCode":14})", R"({"keyCode":14,"modifiers":"6144"})",
          R"({"keyCode":14.5,"modifiers":6144})", R"({"keyCode":-1,"modifiers":6144})",
          R"({"keyCode":4294967296,"modifiers":6144})", R"([14,6144])"}) {
        EXPECT_ANY_THROW(nlohmann::json::parse(bad).get<Hotkey>()) << bad;
    }
}

} // namespace
} // namespace tiklo
