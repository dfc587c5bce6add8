// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AccessibilityTrust.h"

#include <optional>

#include <xcb/xcb.h>

namespace tiklo {

// On X11 nothing is granted per application: what Tiklo needs is that the display offers
// XInput 2.2 (to observe keys) and XTEST (to type). Carets are read over the session's
// accessibility bus, which requestTrust switches on.
class X11AccessibilityTrust : public AccessibilityTrust {
public:
    // `connection` must stay open for the object's lifetime.
    explicit X11AccessibilityTrust(xcb_connection_t* connection);

    // Asks the server once; its extensions do not change while it runs.
    bool isTrusted() const override;
    void requestTrust() override;
    // A Wayland session, as the session itself says.
    bool x11ApplicationsOnly() const override;

private:
    bool queryDisplay() const;

    xcb_connection_t* connection_;
    mutable std::optional<bool> trusted_;
};

} // namespace tiklo
