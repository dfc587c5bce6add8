#pragma once

#include <functional>
#include <memory>

#include <QObject>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace tiklo {

class AppState;

// Tiklo's icon in the system tray and its menu. The menu follows the settings store:
// "Enabled" carries the master switch, "Grant Accessibility" is there only while needed.
class TrayMenu : public QObject {
    Q_OBJECT
public:
    TrayMenu(AppState& state, std::function<void()> quit, QObject* parent = nullptr);
    ~TrayMenu() override;

    QMenu& menu() { return *menu_; }
    bool isVisibleInTray() const;

private:
    void update();

    AppState& state_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    QAction* enabled_ = nullptr;
    QAction* grantAccessibility_ = nullptr;
};

} // namespace tiklo
