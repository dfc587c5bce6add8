// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LoginItemService.h"

namespace tiklo {

// Starting Tiklo at login. The system's registration is the only truth: every change is
// read back.
class LoginItem {
public:
    explicit LoginItem(LoginItemService& service) : service_(service) {}

    bool isEnabled() const { return service_.isRegistered(); }
    // Brings the registration to `enabled` when needed; answers whether Tiklo is
    // registered afterwards. A refusal is logged, never passed on.
    bool setEnabled(bool enabled);

private:
    LoginItemService& service_;
};

} // namespace tiklo
