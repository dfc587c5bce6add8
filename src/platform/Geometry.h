// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiklo {

// Global screen geometry as Qt, X11 and AT-SPI give it: the origin at the top left of the
// screen space, y growing downwards.
struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double maxX() const { return x + width; }
    double maxY() const { return y + height; }
    bool isZero() const { return x == 0 && y == 0 && width == 0 && height == 0; }
    bool operator==(const Rect&) const = default;
};

} // namespace tiklo
