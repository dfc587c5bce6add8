// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppState.h"
#include "app/LoginItem.h"

#include <QObject>

namespace tiklo {

// Brings the login item in step with every assignment of the store's launchAtLogin; a change
// the system refuses springs back to the real state. Main thread only.
class LoginItemSync : public QObject {
    Q_OBJECT
public:
    LoginItemSync(AppState& state, LoginItem& loginItem, QObject* parent = nullptr);

private:
    void sync();

    AppState& state_;
    LoginItem& loginItem_;
    // Set while the store is given the real state back, which must not sync again.
    bool syncing_ = false;
};

} // namespace tiklo
