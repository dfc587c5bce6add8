// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerPlacement.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

constexpr Point inlineSize{420, 326};
constexpr auto inlineMode = view::Presentation::Inline;
// One 1440 x 900 screen with a 25-point panel at the top.
const std::vector<ScreenArea> oneScreen{{{0, 0, 1440, 900}, {0, 25, 1440, 875}}};

TEST(PickerPlacementTest, FullPickerCentresSixtyPointsAboveTheMiddleWhollyOnScreen) {
    EXPECT_EQ(PickerPlacement::origin(view::Presentation::Full, {620, 470}, Rect{5, 5, 1, 1},
                                      oneScreen, std::nullopt, {}),
              (Point{410, 25 + 437.5 - 235 - 60}));
    EXPECT_EQ(PickerPlacement::origin(view::Presentation::Full, {620, 470}, std::nullopt, {},
                                      std::nullopt, {}),
              std::nullopt);
    const auto on = [](Rect visible) {
        const std::vector<ScreenArea> screen{{visible, visible}};
        return *PickerPlacement::origin(view::Presentation::Full, {620, 470}, std::nullopt, screen,
                                        0, {});
    };
    // Just tall enough for the raise: 470 + 2 * 60; a point shorter, the top edge holds.
    EXPECT_EQ(on({0, 30, 800, 590}), (Point{90, 30}));
    EXPECT_EQ(on({0, 30, 800, 589}), (Point{90, 30}));
    EXPECT_EQ(on({0, 30, 800, 592}), (Point{90, 31}));
    // 853 x 533: a 1280 x 800 screen at one and a half times.
    EXPECT_EQ(on({0, 0, 853, 533}), (Point{116.5, 0}));
    // Shorter than the picker: its top, with the search field, stays on screen.
    EXPECT_EQ(on({0, 0, 853, 400}), (Point{116.5, 0}));
    // Narrower than the picker: its left edge stays on screen.
    EXPECT_EQ(on({100, 0, 500, 900}), (Point{100, 155}));
}

TEST(PickerPlacementTest, InlinePopupHangsBelowTheCaretInsideTheVisibleFrame) {
    const auto at = [&](Rect caret) {
        return *PickerPlacement::origin(inlineMode, inlineSize, caret, oneScreen, 0, {});
    };
    EXPECT_EQ(at({500, 282, 2, 18}), (Point{484, 282 + 18 + 10}));
    // Too low: above the caret line instead, its top kept 12 points inside.
    EXPECT_EQ(at({500, 782, 2, 18}), (Point{484, 782 - 10 - 326}));
    EXPECT_EQ(at({500, 0, 2, 600}), (Point{484, 25 + 12}));
    // The popup's bottom exactly 12 points inside still fits below; one point lower does not.
    constexpr double lowestBelow = 900 - 12 - 326 - 10 - 18; // the caret's top when it just fits
    EXPECT_EQ(at({500, lowestBelow, 2, 18}).y, lowestBelow + 18 + 10);
    EXPECT_EQ(at({500, lowestBelow + 1, 2, 18}).y, lowestBelow + 1 - 10 - 326);
    // Near the right and left edges.
    EXPECT_EQ(at({1430, 282, 2, 18}).x, 1440 - 420 - 12);
    EXPECT_EQ(at({3, 282, 2, 18}).x, 12);
}

TEST(PickerPlacementTest, CaretOnASecondScreenAndNoCaretAtAll) {
    // A 1920 x 1080 screen to the right, its bottom edge level with the first one's.
    const std::vector<ScreenArea> two{oneScreen[0],
                                      {{1440, -180, 1920, 1080}, {1440, -180, 1920, 1080}}};
    EXPECT_EQ(*PickerPlacement::origin(inlineMode, inlineSize, Rect{3300, 382, 2, 18}, two, 0, {}),
              (Point{1440 + 1920 - 420 - 12, 382 + 18 + 10}));
    // Without a caret: below the mouse, on the main screen.
    EXPECT_EQ(
        *PickerPlacement::origin(inlineMode, inlineSize, std::nullopt, oneScreen, 0, {700, 400}),
        (Point{676, 400 + 18}));
    EXPECT_EQ(
        *PickerPlacement::origin(inlineMode, inlineSize, std::nullopt, oneScreen, 0, {0, 900}),
        (Point{12, 900 - 12 - 326}));
}

} // namespace
} // namespace tiklo
