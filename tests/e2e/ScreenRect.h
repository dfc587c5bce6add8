// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiklo::test {

// A rectangle on the X screen: top-left origin, y growing downwards, in pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int bottom() const { return y + height; }
    int right() const { return x + width; }
};

} // namespace tiklo::test
