// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiklo {

// Whether the desktop asks applications to keep animation to a minimum.
class DesktopMotionSetting {
public:
    static bool reduceMotion();
};

} // namespace tiklo
