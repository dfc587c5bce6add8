// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/TrayMenuModel.h"

#include <functional>
#include <memory>

#include <QObject>

class QMenu;
class QSystemTrayIcon;

namespace tiklo {

class AppState;
class UpdaterController;

// Tiklo's icon in the system tray and its menu. The menu is drawn from TrayMenuModel and
// drawn again whenever the settings store or the updater changes what it shows.
class TrayMenu : public QObject {
    Q_OBJECT
public:
    // The freedesktop icon of the "face.smiling" symbol (as in the theme's symbol table).
    static constexpr const char* iconName = "face-smile-symbolic";

    // What the items that leave the menu do.
    struct Actions {
        std::function<void()> showPicker;
        std::function<void()> showSettings;
        // The settings window at its page on what the desktop lets Tiklo do.
        std::function<void()> showPermissions;
        std::function<void()> showWelcome;
        std::function<void()> quit;
    };

    TrayMenu(AppState& state, UpdaterController& updater, Actions actions,
             QObject* parent = nullptr);
    ~TrayMenu() override;

    QMenu& menu() { return *menu_; }
    bool isVisibleInTray() const;

private:
    void rebuild();
    void run(TrayMenuModel::Command command);

    AppState& state_;
    UpdaterController& updater_;
    Actions actions_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> icon_;
};

} // namespace tiklo
