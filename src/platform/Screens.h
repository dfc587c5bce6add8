// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Geometry.h"

#include <optional>
#include <vector>

namespace tiklo {

struct ScreenArea {
    Rect frame;        // the whole screen
    Rect visibleFrame; // without panels and docks
    bool operator==(const ScreenArea&) const = default;
};

// The screens, the pointer and the desktop's motion setting, in global screen coordinates.
class Screens {
public:
    virtual ~Screens() = default;
    // The primary screen first.
    virtual std::vector<ScreenArea> screens() const = 0;
    // The screen the user is working on, if known.
    virtual std::optional<std::size_t> mainScreen() const = 0;
    virtual Point mouseLocation() const = 0;
    virtual bool reduceMotion() const = 0;
};

} // namespace tiklo
