// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/updates/UpdaterController.h"

#include <QMetaObject>

namespace tiklo {

UpdaterController::UpdaterController(SoftwareUpdater& updater, QObject* parent)
    : QObject(parent), updater_(updater) {}

void UpdaterController::start() {
    updater_.setCanCheckHandler([this](bool value) { deliver(value); });
    updater_.start();
    deliver(updater_.canCheckForUpdates());
}

void UpdaterController::checkForUpdates() {
    updater_.checkForUpdates();
}

void UpdaterController::deliver(bool value) {
    // Queued, so the values arrive in order and never inside the updater's own call.
    QMetaObject::invokeMethod(
        this,
        [this, value] {
            if (canCheckForUpdates_ != value) {
                canCheckForUpdates_ = value;
                emit canCheckForUpdatesChanged();
            }
        },
        Qt::QueuedConnection);
}

} // namespace tiklo
