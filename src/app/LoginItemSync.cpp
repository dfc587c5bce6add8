// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LoginItemSync.h"

namespace tiklo {

LoginItemSync::LoginItemSync(AppState& state, LoginItem& loginItem, QObject* parent)
    : QObject(parent), state_(state), loginItem_(loginItem) {
    connect(&state_, &AppState::launchAtLoginChanged, this, &LoginItemSync::sync);
}

void LoginItemSync::sync() {
    if (syncing_) {
        return;
    }
    const bool registered = loginItem_.setEnabled(state_.launchAtLogin());
    if (registered != state_.launchAtLogin()) {
        syncing_ = true;
        state_.setLaunchAtLogin(registered);
        syncing_ = false;
    }
}

} // namespace tiklo
