#include "picker/PickerPlacement.h"

#include <algorithm>

namespace tiklo {
namespace {

bool contains(const Rect& rect, Point point) {
    return point.x >= rect.x && point.x < rect.maxX() && point.y >= rect.y && point.y < rect.maxY();
}

// Raised to the low bound first, then lowered to the high one, in that order.
double clampInOrder(double value, double low, double high) {
    return std::min(std::max(value, low), high);
}

} // namespace

std::optional<Point> PickerPlacement::origin(PickerPresentationMode mode, Point size,
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

    if (mode == PickerPresentationMode::full) {
        const Rect& v = fallback.visibleFrame;
        return Point{v.x + v.width / 2 - w * 0.5, v.y + v.height / 2 - h * 0.5 + fullRaise};
    }
    if (!caret) {
        const Rect& v = fallback.visibleFrame;
        return Point{
            clampInOrder(mouse.x - mouseIndent, v.x + screenMargin, v.maxX() - w - screenMargin),
            clampInOrder(mouse.y - h - mouseGap, v.y + screenMargin, v.maxY() - h - screenMargin)};
    }
    const Point centre{caret->x + caret->width / 2, caret->y + caret->height / 2};
    const auto onScreen = std::find_if(screens.begin(), screens.end(), [&](const ScreenArea& s) {
        return contains(s.frame, centre);
    });
    const Rect& v = (onScreen != screens.end() ? *onScreen : fallback).visibleFrame;
    double y = caret->y - h - caretGap;
    if (y < v.y + screenMargin) {
        y = std::min(caret->maxY() + caretGap, v.maxY() - h - screenMargin);
    }
    const double x =
        clampInOrder(caret->x - caretIndent, v.x + screenMargin, v.maxX() - w - screenMargin);
    return Point{x, y};
}

} // namespace tiklo
