// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerPlacement.h"

#include <algorithm>

namespace tiklo {
namespace {

bool contains(const Rect& rect, Point point) {
    return point.x >= rect.x && point.x < rect.maxX() && point.y >= rect.y && point.y < rect.maxY();
}

// Across: raised to the left bound, then lowered to the right one, which wins when the
// window is wider than the space.
double keepAcross(double value, double left, double right) {
    return std::min(std::max(value, left), right);
}

// Down: lowered to the bottom bound, then raised to the top one, which wins when the window
// is taller than the space: its top edge, where it is moved from, stays on screen.
double keepDown(double value, double top, double bottom) {
    return std::max(std::min(value, bottom), top);
}

} // namespace

std::optional<Point> PickerPlacement::origin(view::Presentation mode, Point size,
                                             const std::optional<Rect>& caret,
                                             const std::vector<ScreenArea>& screens,
                                             std::optional<std::size_t> mainScreen, Point mouse) {
    if (screens.empty()) {
        return std::nullopt;
    }
    const ScreenArea& fallback =
        mainScreen && *mainScreen < screens.size() ? screens[*mainScreen] : screens.front();
    const double w = size.x;
    const double h = size.y;

    if (mode == view::Presentation::Full) {
        // Raised above the centre, but inside the visible frame; on a screen smaller than the
        // picker its top-left corner, with the search field, stays where the user sees it.
        const Rect& v = fallback.visibleFrame;
        return Point{std::max(std::min(v.x + v.width / 2 - w * 0.5, v.maxX() - w), v.x),
                     keepDown(v.y + v.height / 2 - h * 0.5 - fullRaise, v.y, v.maxY() - h)};
    }
    if (!caret) {
        // Below the pointer.
        const Rect& v = fallback.visibleFrame;
        return Point{
            keepAcross(mouse.x - mouseIndent, v.x + screenMargin, v.maxX() - w - screenMargin),
            keepDown(mouse.y + mouseGap, v.y + screenMargin, v.maxY() - h - screenMargin)};
    }
    const Point centre{caret->x + caret->width / 2, caret->y + caret->height / 2};
    const auto onScreen = std::find_if(screens.begin(), screens.end(), [&](const ScreenArea& s) {
        return contains(s.frame, centre);
    });
    const Rect& v = (onScreen != screens.end() ? *onScreen : fallback).visibleFrame;
    // Hanging below the caret line; where its bottom would leave the visible frame, above it.
    double y = caret->maxY() + caretGap;
    if (y + h > v.maxY() - screenMargin) {
        y = std::max(caret->y - caretGap - h, v.y + screenMargin);
    }
    const double x =
        keepAcross(caret->x - caretIndent, v.x + screenMargin, v.maxX() - w - screenMargin);
    return Point{x, y};
}

} // namespace tiklo
