// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/updates/SoftwareUpdater.h"

#include <QObject>

namespace tiklo {

// The program's handle on the updater: whether "Check for Updates…" can be chosen, and the
// check itself. Main thread only.
class UpdaterController : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)
public:
    explicit UpdaterController(SoftwareUpdater& updater, QObject* parent = nullptr);

    // Starts the updater (and so its scheduled checks) and follows its canCheckForUpdates.
    // Every value, the first included, arrives on a later turn of the main loop: until then
    // no check can be chosen.
    void start();

    bool canCheckForUpdates() const { return canCheckForUpdates_; }
    Q_INVOKABLE void checkForUpdates();

signals:
    void canCheckForUpdatesChanged();

private:
    void deliver(bool value);

    SoftwareUpdater& updater_;
    bool canCheckForUpdates_ = false;
};

} // namespace tiklo
