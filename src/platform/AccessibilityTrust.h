// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiklo {

// Whether Tiklo may observe and synthesize keys and read other applications' carets.
class AccessibilityTrust {
public:
    virtual ~AccessibilityTrust() = default;

    virtual bool isTrusted() const = 0;
    // Asks the system to grant what is missing and shows the user where to do it. Failures
    // are not reported.
    virtual void requestTrust() = 0;
    // Whether the keys of only some applications are in reach: under Wayland, Tiklo reaches
    // the X11 applications (through XWayland) and no others.
    virtual bool x11ApplicationsOnly() const { return false; }
};

} // namespace tiklo
