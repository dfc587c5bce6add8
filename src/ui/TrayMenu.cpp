#include "ui/TrayMenu.h"

#include "app/AppState.h"

#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace tiklo {
namespace {

// The freedesktop counterpart of the "face.smiling" symbol.
constexpr const char* trayIconName = "face-smile";

} // namespace

TrayMenu::TrayMenu(AppState& state, std::function<void()> quit, QObject* parent)
    : QObject(parent), state_(state), menu_(std::make_unique<QMenu>()),
      icon_(std::make_unique<QSystemTrayIcon>()) {
    enabled_ = menu_->addAction(QStringLiteral("Enabled"));
    enabled_->setObjectName(QStringLiteral("enabledAction"));
    enabled_->setCheckable(true);
    connect(enabled_, &QAction::triggered, this,
            [this](bool checked) { state_.setMasterEnabled(checked); });
    grantAccessibility_ = menu_->addAction(QStringLiteral("Grant Accessibility"));
    grantAccessibility_->setObjectName(QStringLiteral("grantAccessibilityAction"));
    connect(grantAccessibility_, &QAction::triggered, this,
            [this] { state_.requestAccessibility(); });
    menu_->addSeparator();
    QAction* quitAction = menu_->addAction(QStringLiteral("Quit Tiklo"));
    quitAction->setObjectName(QStringLiteral("quitAction"));
    quitAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    connect(quitAction, &QAction::triggered, this, std::move(quit));

    connect(&state_, &AppState::masterEnabledChanged, this, &TrayMenu::update);
    connect(&state_, &AppState::accessibilityGrantedChanged, this, &TrayMenu::update);
    update();

    icon_->setIcon(QIcon::fromTheme(QString::fromLatin1(trayIconName)));
    icon_->setToolTip(QStringLiteral("Tiklo"));
    icon_->setContextMenu(menu_.get());
    icon_->show();
}

TrayMenu::~TrayMenu() = default;

bool TrayMenu::isVisibleInTray() const {
    return icon_->isVisible();
}

void TrayMenu::update() {
    enabled_->setChecked(state_.masterEnabled());
    grantAccessibility_->setVisible(!state_.accessibilityGranted());
}

} // namespace tiklo
