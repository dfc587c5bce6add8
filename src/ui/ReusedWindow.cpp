// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ReusedWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickView>
#include <QScreen>

namespace tiklo {

ReusedWindow::ReusedWindow(QQmlEngine& engine, Look look, std::chrono::milliseconds unusedLimit,
                           QObject* parent)
    : QObject(parent), engine_(engine), look_(std::move(look)),
      release_(
          engine, [this] { release(); }, unusedLimit) {}

ReusedWindow::~ReusedWindow() = default;

bool ReusedWindow::ensure() {
    if (view_) {
        return false;
    }
    view_ = std::make_unique<QQuickView>(&engine_, nullptr);
    Qt::WindowFlags flags = Qt::Window;
    if (!look_.resizable) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    }
    view_->setFlags(flags);
    view_->setTitle(look_.title);
    view_->setResizeMode(QQuickView::SizeRootObjectToView);
    view_->resize(look_.size);
    view_->setMinimumSize(look_.resizable ? look_.minimumSize : look_.size);
    if (!look_.resizable) {
        view_->setMaximumSize(look_.size);
    }
    view_->setInitialProperties(look_.properties);
    view_->setSource(look_.root);
    view_->installEventFilter(this);
    const bool first = !released_;
    released_ = false;
    return first;
}

void ReusedWindow::centre() {
    if (!view_) {
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QSize size = view_->size();
    view_->setPosition(area.x() + (area.width() - size.width()) / 2,
                       area.y() + (area.height() - size.height()) / 2);
    lastPosition_.reset();
}

void ReusedWindow::bringToFront() {
    if (!view_) {
        return;
    }
    if (lastPosition_ && !view_->isVisible()) {
        view_->setPosition(*lastPosition_);
    }
    release_.shown();
    view_->show();
    view_->raise();
    view_->requestActivate();
}

void ReusedWindow::discard() {
    lastPosition_.reset();
    released_ = false;
    if (!view_) {
        return;
    }
    view_->removeEventFilter(this);
    view_->hide();
    // Its views may be running the handler that asked for this.
    view_.release()->deleteLater();
    release_.hidden();
}

void ReusedWindow::release() {
    if (!view_ || view_->isVisible()) {
        return;
    }
    if (const QQuickItem* root = view_->rootObject()) {
        for (const QString& name : look_.kept) {
            look_.properties.insert(name, root->property(name.toUtf8().constData()));
        }
    }
    view_->removeEventFilter(this);
    view_.release()->deleteLater();
    released_ = true;
}

bool ReusedWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_.get() && event->type() == QEvent::Close) {
        // Hidden, not destroyed: the window comes back as it was.
        event->ignore();
        lastPosition_ = view_->position();
        view_->hide();
        release_.hidden();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tiklo
