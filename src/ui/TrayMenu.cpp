// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TrayMenu.h"

#include "app/AppState.h"
#include "app/updates/UpdaterController.h"
#include "ui/AppLinks.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QAction>
#include <QCursor>
#include <QDesktopServices>
#include <QMenu>
#include <QSystemTrayIcon>

namespace tiklo {

TrayMenu::TrayMenu(AppState& state, UpdaterController& updater, Actions actions, QObject* parent)
    : QObject(parent), state_(state), updater_(updater), actions_(std::move(actions)),
      menu_(std::make_unique<QMenu>()), icon_(std::make_unique<QSystemTrayIcon>()) {
    connect(&state_, &AppState::masterEnabledChanged, this, &TrayMenu::rebuild);
    connect(&state_, &AppState::accessibilityGrantedChanged, this, &TrayMenu::rebuild);
    connect(&state_, &AppState::caretTrackingChanged, this, &TrayMenu::rebuild);
    connect(&updater_, &UpdaterController::canCheckForUpdatesChanged, this, &TrayMenu::rebuild);
    rebuild();

    icon_->setIcon(ThemeIconProvider::lookup(QString::fromLatin1(iconName)));
    icon_->setToolTip(QStringLiteral("Tiklo"));
    icon_->setContextMenu(menu_.get());
    // A plain click opens the menu too, as in most Linux trays, below the icon so that the
    // icon stays in sight.
    connect(icon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason != QSystemTrayIcon::Trigger) {
                    return;
                }
                const QRect place = icon_->geometry();
                menu_->popup(place.isValid() ? place.bottomLeft() + QPoint(0, 1) : QCursor::pos());
            });
    icon_->show();
}

TrayMenu::~TrayMenu() = default;

bool TrayMenu::isVisibleInTray() const {
    return icon_->isVisible();
}

void TrayMenu::rebuild() {
    // The old items may be in the middle of sending their own signal (a change made from
    // the menu itself): they go on the next turn, not now.
    for (QAction* old : menu_->actions()) {
        menu_->removeAction(old);
        old->setParent(nullptr);
        old->deleteLater();
    }
    const view::CaretTracking caret = state_.caretTracking();
    const TrayMenuModel::Inputs inputs{
        state_.masterEnabled(), state_.accessibilityGranted(), updater_.canCheckForUpdates(),
        caret == view::CaretTracking::Off || caret == view::CaretTracking::Unavailable};
    for (const TrayMenuModel::Entry& entry : TrayMenuModel::entries(inputs)) {
        if (entry.separator) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(entry.text);
        action->setShortcut(QKeySequence(entry.shortcut, QKeySequence::PortableText));
        action->setEnabled(entry.enabled);
        action->setCheckable(entry.checkable);
        action->setChecked(entry.checked);
        connect(action, &QAction::triggered, this,
                [this, command = entry.command] { run(command); });
    }
}

void TrayMenu::run(TrayMenuModel::Command command) {
    using Command = TrayMenuModel::Command;
    switch (command) {
    case Command::showPicker:
        actions_.showPicker();
        break;
    case Command::settings:
        actions_.showSettings();
        break;
    case Command::welcomeGuide:
        actions_.showWelcome();
        break;
    case Command::newsletter:
        // In the default browser; if none can open it, nothing happens.
        QDesktopServices::openUrl(AppLinks::newsletter());
        break;
    case Command::checkForUpdates:
        updater_.checkForUpdates();
        break;
    case Command::toggleEnabled:
        state_.setMasterEnabled(!state_.masterEnabled());
        break;
    case Command::grantAccessibility:
        // What can be switched on is; what cannot, the Permissions page explains.
        if (state_.caretTracking() == view::CaretTracking::Off) {
            state_.requestAccessibility();
        }
        if (!state_.accessibilityGranted() ||
            state_.caretTracking() == view::CaretTracking::Unavailable) {
            actions_.showPermissions();
        }
        break;
    case Command::quit:
        actions_.quit();
        break;
    }
}

} // namespace tiklo
