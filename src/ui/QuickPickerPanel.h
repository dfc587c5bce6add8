// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/PickerPanel.h"
#include "platform/KeyDown.h"
#include "platform/KeyboardHold.h"
#include "platform/KeyboardLayout.h"
#include "platform/Workspace.h"
#include "ui/WindowRelease.h"

#include <chrono>
#include <cstdint>
#include <memory>

#include <QObject>
#include <QUrl>
#include <QVariantMap>

class QQuickView;
class QQmlEngine;
class QPropertyAnimation;
class QVariantAnimation;
class QParallelAnimationGroup;

namespace tiklo {

// The picker window: a frameless, always-on-top Qt Quick tool window that takes the
// keyboard when shown, showing the picker's host view. It tells the view whether it is in use
// (`inUse`: from a showing on, until a while hidden), so the view can make what it shows on
// demand and let it go.
class QuickPickerPanel : public QObject, public PickerPanel {
    Q_OBJECT
public:
    // How long a loss of the keyboard must hold before the panel reports it.
    static constexpr std::chrono::milliseconds deactivationSettle{150};
    // A showing that has not had the keyboard by then has lost it: the keys held for it have
    // gone to the application instead.
    static constexpr std::chrono::milliseconds activationLimit = KeyboardHold::timeLimit;

    // `root`: the view to load; `properties`: its required properties (session, state);
    // `layout`: where the keys sit, for Ctrl+digit (none: by what they type). `hold`: takes
    // the keys that reach the window while it takes none (hidden, or while the keys are held
    // for somewhere else). `workspace`: keeps the window on every desktop while shown.
    QuickPickerPanel(QQmlEngine& engine, const QUrl& root, const QVariantMap& properties,
                     const KeyboardLayout* layout = nullptr, KeyboardHold* hold = nullptr,
                     Workspace* workspace = nullptr);
    ~QuickPickerPanel() override;

    Rect frame() const override;
    void resize(double width, double height) override;
    void setMovableByBackground(bool movable) override;
    void move(Point topLeft) override;
    void prepare() override;
    void show(bool animated, double drop, double seconds) override;
    void hide() override;
    bool isActive() const override;
    std::uint64_t windowID() const override;
    void setActivatedHandler(std::function<void()> handler) override;
    void setDeactivatedHandler(std::function<void()> handler) override;
    void setKeyHandler(std::function<bool(const PickerKeyEvent&)> handler) override;
    // Presses that reach the window once it is gone, while the keys are held for what it
    // chose: they were held for it, and follow the choice instead.
    void setHeldKeyHandler(std::function<void(const KeyDown&)> handler);

    QQuickView& view() { return *view_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finishPreparing();
    void letPointerThrough(bool through);
    void activeChanged();
    void deactivationCheck();
    void activationLimitReached(std::uint64_t showing);
    // A menu of the view is open and takes the keys: arrows and Return are its own.
    bool popupHasKeyboard() const;

    void setInUse(bool inUse);

    std::unique_ptr<QQuickView> view_;
    std::unique_ptr<QParallelAnimationGroup> animation_;
    WindowRelease release_;
    // Counts showings, so a delayed check knows whether it still concerns the same one.
    std::uint64_t showing_ = 0;
    // Whether this showing has had the keyboard, or waited for it in vain: only then does a
    // loss count. The window manager may take its time to hand the keyboard over, and the
    // notice of an earlier showing's loss can come in meanwhile.
    bool hadKeyboardChance_ = false;
    std::function<void()> activated_;
    std::function<void()> deactivated_;
    std::function<bool(const PickerKeyEvent&)> keyHandler_;
    std::function<void(const KeyDown&)> heldKeyHandler_;
    const KeyboardLayout* layout_;
    KeyboardHold* hold_;
    Workspace* workspace_;
    bool preparing_ = false;
    Qt::WindowFlags flagsBeforePreparing_;
};

} // namespace tiklo
