// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ViewEnums.h"
#include "platform/Geometry.h"
#include "platform/Screens.h"

#include <optional>
#include <vector>

namespace tiklo {

// Where the picker window goes: the top-left corner of its frame.
class PickerPlacement {
public:
    static constexpr double fullRaise = 60;    // above the vertical centre
    static constexpr double screenMargin = 12; // kept inside the visible frame
    static constexpr double caretGap = 10;     // between caret line and popup
    static constexpr double caretIndent = 16;  // popup starts left of the caret
    static constexpr double mouseIndent = 24;
    static constexpr double mouseGap = 18;

    // The origin for a window of `size` (width, height), or nothing when there are no
    // screens (the window then stays where it is).
    static std::optional<Point> origin(view::Presentation mode, Point size,
                                       const std::optional<Rect>& caret,
                                       const std::vector<ScreenArea>& screens,
                                       std::optional<std::size_t> mainScreen, Point mouse);
};

} // namespace tiklo
