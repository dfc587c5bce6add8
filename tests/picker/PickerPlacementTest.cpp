#include "picker/PickerPlacement.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

constexpr Point inlineSize{420, 326};
constexpr auto inlineMode = PickerPresentationMode::inlinePopup;
// One 1440 x 900 screen with a 25-point panel at the top.
const std::vector<ScreenArea> oneScreen{{{0, 0, 1440, 900}, {0, 0, 1440, 875}}};

TEST(PickerPlacementTest, FullPickerCentresSixtyPointsAboveTheMiddle) {
    EXPECT_EQ(PickerPlacement::origin(PickerPresentationMode::full, {620, 470}, Rect{5, 5, 1, 1},
                                      oneScreen, std::nullopt, {}),
              (Point{410, 437.5 - 235 + 60}));
    EXPECT_EQ(PickerPlacement::origin(PickerPresentationMode::full, {620, 470}, std::nullopt, {},
                                      std::nullopt, {}),
              std::nullopt);
}

TEST(PickerPlacementTest, InlinePopupHangsBelowTheCaretInsideTheVisibleFrame) {
    const auto at = [&](Rect caret) {
        return *PickerPlacement::origin(inlineMode, inlineSize, caret, oneScreen, 0, {});
    };
    EXPECT_EQ(at({500, 600, 2, 18}), (Point{484, 600 - 326 - 10}));
    // Too low: above the caret line instead, its top kept 12 points inside.
    EXPECT_EQ(at({500, 100, 2, 18}), (Point{484, 128}));
    EXPECT_EQ(at({500, 300, 2, 600}), (Point{484, 875 - 326 - 12}));
    // Near the right and left edges.
    EXPECT_EQ(at({1430, 600, 2, 18}).x, 1440 - 420 - 12);
    EXPECT_EQ(at({3, 600, 2, 18}).x, 12);
}

TEST(PickerPlacementTest, CaretOnASecondScreenAndNoCaretAtAll) {
    const std::vector<ScreenArea> two{oneScreen[0], {{1440, 0, 1920, 1080}, {1440, 0, 1920, 1080}}};
    EXPECT_EQ(*PickerPlacement::origin(inlineMode, inlineSize, Rect{3300, 500, 2, 18}, two, 0, {}),
              (Point{1440 + 1920 - 420 - 12, 500 - 326 - 10}));
    // Without a caret: near the mouse, on the main screen.
    EXPECT_EQ(
        *PickerPlacement::origin(inlineMode, inlineSize, std::nullopt, oneScreen, 0, {700, 500}),
        (Point{676, 500 - 326 - 18}));
    EXPECT_EQ(*PickerPlacement::origin(inlineMode, inlineSize, std::nullopt, oneScreen, 0, {0, 0}),
              (Point{12, 12}));
}

} // namespace
} // namespace tiklo
