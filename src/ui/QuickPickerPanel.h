#pragma once

#include "PickerPanel.h"

#include <memory>

#include <QObject>
#include <QUrl>
#include <QVariantMap>

class QQuickView;
class QQmlEngine;
class QPropertyAnimation;
class QParallelAnimationGroup;

namespace tiklo {

// The picker window: a frameless, always-on-top Qt Quick tool window that takes the
// keyboard when shown, showing the picker's host view.
class QuickPickerPanel : public QObject, public PickerPanel {
    Q_OBJECT
public:
    // `root`: the view to load; `properties`: its required properties (session, state).
    QuickPickerPanel(QQmlEngine& engine, const QUrl& root, const QVariantMap& properties);
    ~QuickPickerPanel() override;

    Rect frame() const override;
    void setContentSize(double width, double height) override;
    void setMovableByBackground(bool movable) override;
    void setFrameOrigin(Point origin) override;
    void present(bool animated, double drop, double seconds) override;
    void orderOut() override;
    bool isKeyWindow() const override;
    void setResignKeyHandler(std::function<void()> handler) override;
    void setKeyHandler(std::function<bool(const PickerKeyEvent&)> handler) override;

    QQuickView& view() { return *view_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<QQuickView> view_;
    std::unique_ptr<QParallelAnimationGroup> animation_;
    std::function<void()> resignKey_;
    std::function<bool(const PickerKeyEvent&)> keyHandler_;
    bool movable_ = false;
};

} // namespace tiklo
