#pragma once

namespace tiklo {

// Global screen geometry. Inside the program the origin is at the bottom left of the
// primary screen and y grows upwards; platform code converts at its edge.
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
