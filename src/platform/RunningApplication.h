// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace tiklo {

// An application with a window on screen. `appID` identifies the application (on Linux
// the desktop-file id or the window class); it may be empty when nothing names it.
struct RunningApplication {
    std::string appID;
    std::int64_t pid = 0;
    std::uint64_t window = 0;

    bool operator==(const RunningApplication&) const = default;
};

} // namespace tiklo
