// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11Modifiers.h"
#include "core/HotkeyCodec.h"

#include <array>
#include <string>

#include <gtest/gtest.h>
#include <xcb/xproto.h>
#include <xkbcommon/xkbcommon.h>

namespace tiklo {
namespace {

TEST(X11ModifiersTest, ModifiersAndCoreMasksTranslateBothWays) {
    const std::pair<Modifier, std::uint16_t> each[] = {{Modifier::ctrl, XCB_MOD_MASK_CONTROL},
                                                       {Modifier::alt, XCB_MOD_MASK_1},
                                                       {Modifier::shift, XCB_MOD_MASK_SHIFT},
                                                       {Modifier::super, XCB_MOD_MASK_4}};
    for (const auto& [modifier, mask] : each) {
        EXPECT_EQ(X11Modifiers::mask(modifier), mask);
        EXPECT_EQ(X11Modifiers::from(mask), Modifiers(modifier));
    }
    const Modifiers all = Modifier::ctrl | Modifier::alt | Modifier::shift | Modifier::super;
    EXPECT_EQ(X11Modifiers::mask({}), 0);
    EXPECT_EQ(X11Modifiers::from(X11Modifiers::mask(all)), all);
    // Locks, Mod2/3/5 and button state are no modifiers.
    EXPECT_EQ(X11Modifiers::from(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 |
                                 XCB_MOD_MASK_5 | XCB_KEY_BUT_MASK_BUTTON_1 | XCB_MOD_MASK_CONTROL),
              Modifiers(Modifier::ctrl));
}

// The stored hotkey's key codes name keys by keysyms that X knows under the keys' names.
TEST(X11ModifiersTest, StoredKeyCodesNameRealKeysyms) {
    for (std::uint32_t code = 0; code < 256; ++code) {
        if (const auto sym = HotkeyCodec::keysymOf(code)) {
            std::array<char, 64> name{};
            ASSERT_GT(xkb_keysym_get_name(*sym, name.data(), name.size()), 0) << code;
            // X names every one of them (an unknown keysym's name is its number).
            EXPECT_NE(std::string(name.data()).rfind("0x", 0), 0U) << code;
        }
    }
}

} // namespace
} // namespace tiklo
