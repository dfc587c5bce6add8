#include "platform/linux/X11KeyTable.h"

#include "platform/KeyDown.h"

#include <gtest/gtest.h>
#include <xcb/xproto.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace tiklo {
namespace {

TEST(X11KeyTableTest, KeyCodesAndKeysymsMapBothWays) {
    int known = 0;
    for (std::uint32_t code = 0; code < 256; ++code) {
        if (const auto keysym = X11KeyTable::keysymForKeyCode(code)) {
            ++known;
            // Two codes sharing a keysym would turn a hot key into the other key.
            EXPECT_EQ(X11KeyTable::keyCodeForKeysym(*keysym), code) << code;
        }
    }
    EXPECT_EQ(known, 99);

    // Samples from each group, where neighbouring codes are easily swapped.
    const std::pair<std::uint32_t, std::uint32_t> samples[] = {
        {0, XKB_KEY_a},           {6, XKB_KEY_z},          {11, XKB_KEY_b},
        {29, XKB_KEY_0},          {22, XKB_KEY_6},         {23, XKB_KEY_5},
        {51, XKB_KEY_BackSpace},  {117, XKB_KEY_Delete},   {116, XKB_KEY_Page_Up},
        {121, XKB_KEY_Page_Down}, {122, XKB_KEY_F1},       {120, XKB_KEY_F2},
        {90, XKB_KEY_F20},        {50, XKB_KEY_grave},     {42, XKB_KEY_backslash},
        {71, XKB_KEY_Num_Lock},   {76, XKB_KEY_KP_Enter},  {89, XKB_KEY_KP_7},
        {91, XKB_KEY_KP_8},       {65, XKB_KEY_KP_Decimal}};
    for (const auto& [code, keysym] : samples) {
        EXPECT_EQ(X11KeyTable::keysymForKeyCode(code), keysym) << code;
    }

    EXPECT_EQ(X11KeyTable::keyCodeForKeysym(XKB_KEY_E), 14U);   // shifted letter, same key
    EXPECT_EQ(X11KeyTable::keysymForKeyCode(10), std::nullopt); // ISO section key
    EXPECT_EQ(X11KeyTable::keysymForKeyCode(90 + 0x10000), std::nullopt);
    EXPECT_EQ(X11KeyTable::keyCodeForKeysym(XKB_KEY_exclam), std::nullopt);
    EXPECT_EQ(X11KeyTable::keyCodeForKeysym(XKB_KEY_Shift_L), std::nullopt);
}

TEST(X11KeyTableTest, ModifierMasksTranslateBothWays) {
    EXPECT_EQ(X11KeyTable::xModifiers(0x100), XCB_MOD_MASK_4);
    EXPECT_EQ(X11KeyTable::xModifiers(0x200), XCB_MOD_MASK_SHIFT);
    EXPECT_EQ(X11KeyTable::xModifiers(0x800), XCB_MOD_MASK_1);
    EXPECT_EQ(X11KeyTable::xModifiers(0x1000), XCB_MOD_MASK_CONTROL);
    EXPECT_EQ(X11KeyTable::xModifiers(0), 0);
    for (std::uint32_t carbon = 0; carbon < 0x2000; carbon += 0x100) {
        if (X11KeyTable::translatesModifiers(carbon)) {
            EXPECT_EQ(X11KeyTable::carbonModifiers(X11KeyTable::xModifiers(carbon)), carbon);
        }
    }
    EXPECT_TRUE(X11KeyTable::translatesModifiers(0x1b00));
    EXPECT_FALSE(X11KeyTable::translatesModifiers(0x1000 | 0x400)); // alpha lock
    EXPECT_FALSE(X11KeyTable::translatesModifiers(0x4000));         // right shift
    // Locks, Mod2/3/5 and button state have no Carbon counterpart.
    EXPECT_EQ(X11KeyTable::carbonModifiers(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 |
                                           XCB_MOD_MASK_5 | XCB_KEY_BUT_MASK_BUTTON_1 |
                                           XCB_MOD_MASK_CONTROL),
              0x1000U);
}

TEST(X11KeyTableTest, ModifierStateTranslatesToEventFlags) {
    EXPECT_EQ(X11KeyTable::eventFlags(XCB_MOD_MASK_SHIFT), modifierFlags::shift);
    EXPECT_EQ(X11KeyTable::eventFlags(XCB_MOD_MASK_CONTROL), modifierFlags::control);
    EXPECT_EQ(X11KeyTable::eventFlags(XCB_MOD_MASK_1), modifierFlags::option);
    EXPECT_EQ(X11KeyTable::eventFlags(XCB_MOD_MASK_4), modifierFlags::command);
    // Locks, Mod2/3/5 and buttons are no flags.
    EXPECT_EQ(X11KeyTable::eventFlags(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 |
                                      XCB_MOD_MASK_5 | XCB_KEY_BUT_MASK_BUTTON_1 |
                                      XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_4),
              modifierFlags::shift | modifierFlags::command);
}

} // namespace
} // namespace tiklo
