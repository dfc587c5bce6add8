// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QuickPickerPanel.h"

#include "platform/qt/QtScreens.h"
#include "ui/QtKeyTranslator.h"

#include <QEasingCurve>
#include <QKeyEvent>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QQuickItem>
#include <QQuickView>
#include <QTimer>
#include <QVariantAnimation>

namespace tiklo {
namespace {

// Far off every screen.
constexpr QPoint unseenPosition{-10000, -10000};
// The unseen showing ends after this at the latest: it only saves time later.
constexpr std::chrono::milliseconds prepareLimit{1000};

} // namespace

QuickPickerPanel::QuickPickerPanel(QQmlEngine& engine, const QUrl& root,
                                   const QVariantMap& properties, const KeyboardLayout* layout,
                                   KeyboardHold* hold, Workspace* workspace)
    : view_(std::make_unique<QQuickView>(&engine, nullptr)),
      animation_(std::make_unique<QParallelAnimationGroup>()),
      release_(engine, [this] { setInUse(false); }), layout_(layout), hold_(hold),
      workspace_(workspace) {
    view_->setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    view_->setTitle(QStringLiteral("Tiklo"));
    view_->setColor(Qt::transparent);
    view_->setResizeMode(QQuickView::SizeRootObjectToView);
    view_->setInitialProperties(properties);
    view_->setSource(root);
    view_->installEventFilter(this);
    connect(view_.get(), &QWindow::activeChanged, this, &QuickPickerPanel::activeChanged);
}

void QuickPickerPanel::activeChanged() {
    if (view_->isActive()) {
        hadKeyboardChance_ = hadKeyboardChance_ || view_->isVisible();
        if (view_->isVisible() && activated_) {
            activated_();
        }
    } else {
        deactivationCheck();
    }
}

void QuickPickerPanel::deactivationCheck() {
    if (view_->isActive() || !view_->isVisible() || !deactivated_ || !hadKeyboardChance_) {
        return;
    }
    // Qt may report a loss and, a moment later, that the window has the keyboard again (an
    // earlier showing's focus leaving as this one's comes); so the loss counts only if it
    // still holds a moment later, in the same showing.
    const std::uint64_t showing = showing_;
    QTimer::singleShot(deactivationSettle, this, [this, showing] {
        if (showing == showing_ && view_->isVisible() && !view_->isActive() && deactivated_) {
            deactivated_();
        }
    });
}

void QuickPickerPanel::activationLimitReached(std::uint64_t showing) {
    if (showing != showing_) {
        return;
    }
    hadKeyboardChance_ = true;
    deactivationCheck();
}

QuickPickerPanel::~QuickPickerPanel() = default;

Rect QuickPickerPanel::frame() const {
    return QtScreens::toRect(view_->geometry());
}

void QuickPickerPanel::resize(double width, double height) {
    view_->resize(static_cast<int>(width), static_cast<int>(height));
}

void QuickPickerPanel::setMovableByBackground(bool movable) {
    // The view asks the window manager to move the window when its background is pressed.
    if (QQuickItem* root = view_->rootObject()) {
        root->setProperty("movableByBackground", movable);
    }
}

void QuickPickerPanel::move(Point topLeft) {
    view_->setPosition(static_cast<int>(topLeft.x), static_cast<int>(topLeft.y));
}

void QuickPickerPanel::prepare() {
    if (preparing_ || view_->isVisible()) {
        return;
    }
    // Shown once where nobody sees it, without taking the keyboard: the first showing
    // otherwise pays for what only the first one needs (the window manager taking the
    // window on, the first frames, the colour emoji font and glyph caches). It ends with its
    // first frame, or when the window is wanted for real, whichever comes first; the main
    // thread goes on meanwhile, reading keys.
    preparing_ = true;
    flagsBeforePreparing_ = view_->flags();
    // Not Qt's own flag for letting clicks through: taken off again, it leaves the window
    // taking clicks only within the size it had then.
    view_->setFlags(flagsBeforePreparing_ | Qt::WindowDoesNotAcceptFocus);
    letPointerThrough(true);
    view_->setOpacity(0.0);
    view_->setPosition(unseenPosition);
    connect(view_.get(), &QQuickWindow::frameSwapped, this, &QuickPickerPanel::finishPreparing,
            Qt::QueuedConnection);
    QTimer::singleShot(prepareLimit, this, &QuickPickerPanel::finishPreparing);
    view_->show();
}

void QuickPickerPanel::finishPreparing() {
    if (!preparing_) {
        return;
    }
    preparing_ = false;
    disconnect(view_.get(), &QQuickWindow::frameSwapped, this, &QuickPickerPanel::finishPreparing);
    view_->hide();
    view_->setFlags(flagsBeforePreparing_);
    letPointerThrough(false);
}

void QuickPickerPanel::letPointerThrough(bool through) {
    if (workspace_ != nullptr) {
        workspace_->letPointerThrough(view_->winId(), through);
    }
}

void QuickPickerPanel::show(bool animated, double drop, double seconds) {
    const QPoint wanted = view_->position();
    finishPreparing();
    view_->setPosition(wanted);
    animation_->stop();
    animation_->clear();
    ++showing_;
    hadKeyboardChance_ = false;
    QTimer::singleShot(activationLimit, this,
                       [this, showing = showing_] { activationLimitReached(showing); });
    release_.shown();
    setInUse(true);
    const QPoint finalPosition = view_->position();
    view_->setOpacity(animated ? 0.0 : 1.0);
    if (workspace_) {
        workspace_->showOnAllDesktops(view_->winId());
    }
    // Asked at each showing: a compositor can start or stop at any time.
    if (QQuickItem* root = view_->rootObject()) {
        root->setProperty("translucent",
                          workspace_ == nullptr || workspace_->drawsTranslucentWindows());
    }
    view_->show();
    // The window manager may place a window as it maps it; Tiklo decides where it goes.
    view_->setPosition(finalPosition);
    view_->raise();
    view_->requestActivate();
    if (!animated) {
        return;
    }
    const int milliseconds = static_cast<int>(seconds * 1000);
    auto* fade = new QPropertyAnimation(view_.get(), "opacity");
    fade->setDuration(milliseconds);
    fade->setEndValue(1.0);
    fade->setEasingCurve(QEasingCurve::OutCubic);
    // Both coordinates are set at every step, from above the final place.
    auto* slide = new QVariantAnimation;
    slide->setDuration(milliseconds);
    slide->setStartValue(finalPosition - QPoint(0, static_cast<int>(drop)));
    slide->setEndValue(finalPosition);
    slide->setEasingCurve(QEasingCurve::OutCubic);
    connect(slide, &QVariantAnimation::valueChanged, view_.get(),
            [view = view_.get()](const QVariant& value) { view->setPosition(value.toPoint()); });
    animation_->addAnimation(fade);
    animation_->addAnimation(slide);
    animation_->start();
}

void QuickPickerPanel::hide() {
    animation_->stop();
    ++showing_;
    view_->hide();
    release_.hidden();
}

void QuickPickerPanel::setInUse(bool inUse) {
    if (QQuickItem* root = view_->rootObject()) {
        root->setProperty("inUse", inUse || view_->isVisible());
    }
}

std::uint64_t QuickPickerPanel::windowID() const {
    return view_->handle() != nullptr ? static_cast<std::uint64_t>(view_->winId()) : 0;
}

bool QuickPickerPanel::isActive() const {
    return view_->isVisible() && view_->isActive();
}

void QuickPickerPanel::setActivatedHandler(std::function<void()> handler) {
    activated_ = std::move(handler);
}

void QuickPickerPanel::setDeactivatedHandler(std::function<void()> handler) {
    deactivated_ = std::move(handler);
}

void QuickPickerPanel::setKeyHandler(std::function<bool(const PickerKeyEvent&)> handler) {
    keyHandler_ = std::move(handler);
}

void QuickPickerPanel::setHeldKeyHandler(std::function<void(const KeyDown&)> handler) {
    heldKeyHandler_ = std::move(handler);
}

bool QuickPickerPanel::popupHasKeyboard() const {
    // Menus open in the window's overlay, outside the view's own items.
    const QQuickItem* focus = view_->activeFocusItem();
    const QQuickItem* root = view_->rootObject();
    return focus != nullptr && root != nullptr && focus != root && !root->isAncestorOf(focus);
}

bool QuickPickerPanel::eventFilter(QObject* watched, QEvent* event) {
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (watched != view_.get() || !isKey) {
        return QObject::eventFilter(watched, event);
    }
    // Keys reach it: it has the keyboard, whether or not Qt said so (it does not when the
    // window was still active by its account from the showing before).
    hadKeyboardChance_ = hadKeyboardChance_ || view_->isVisible();
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto takesNoKeys = [this] {
        return hold_ != nullptr && (!view_->isVisible() || hold_->isHolding());
    };
    // Reached it gone, after a choice: the key was the popup's only while held for it.
    const bool outlivedPopup = hold_ != nullptr && !view_->isVisible() && hold_->isHolding();
    if (keyHandler_ && !takesNoKeys() && !popupHasKeyboard() &&
        keyHandler_(QtKeyTranslator::translate(*key, layout_))) {
        event->accept();
        return true;
    }
    // Checked again after the handler: a popup that gave way to the application is gone,
    // and the key that made it give way goes there too, after what the popup gives back.
    if (takesNoKeys()) {
        // Keys come in order, each after what the one before did: typed right after a choice,
        // they reach the window already hidden, or already holding for the application.
        if (heldKeyHandler_ && outlivedPopup && event->type() == QEvent::KeyPress) {
            const PickerKeyEvent typed = QtKeyTranslator::translate(*key, layout_);
            KeyDown held{typed.key, typed.text.empty() ? std::nullopt
                                                       : std::optional<std::string>(typed.text)};
            held.scanCode = key->nativeScanCode();
            held.time = static_cast<std::uint32_t>(key->timestamp());
            heldKeyHandler_(held);
        }
        hold_->redirect(key->nativeScanCode(), key->nativeModifiers(),
                        event->type() == QEvent::KeyPress,
                        static_cast<std::uint32_t>(key->timestamp()));
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tiklo
