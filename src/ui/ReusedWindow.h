// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/WindowRelease.h"

#include <chrono>
#include <memory>
#include <optional>

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

class QQmlEngine;
class QQuickView;

namespace tiklo {

// A Qt Quick window made on first use: closing it only hides it, so its view keeps its state,
// and showing it again puts it where it was. After a while hidden it lets its view go, keeping
// only where it was and the root properties named in its look, and makes it again when next
// wanted.
class ReusedWindow : public QObject {
    Q_OBJECT
public:
    struct Look {
        QUrl root;
        QVariantMap properties; // the root view's required properties
        QString title;
        QSize size;
        QSize minimumSize;
        bool resizable = true;
        QStringList kept; // root properties the next view starts from after a release
    };

    ReusedWindow(QQmlEngine& engine, Look look,
                 std::chrono::milliseconds unusedLimit = WindowRelease::unusedLimit,
                 QObject* parent = nullptr);
    ~ReusedWindow() override;

    bool exists() const { return view_ != nullptr; }
    // Makes the window if needed; true when this call made it for the first time, or for the
    // first time after a discard (not when it comes back after a release).
    bool ensure();
    QQuickView* view() const { return view_.get(); }

    // Centres the window on the primary screen's free area.
    void centre();
    // Shows it in front with the keyboard, at its last place if it was shown before.
    void bringToFront();

public slots:
    // Closes the window for good (safe from within its own views' handlers): the next
    // ensure makes a fresh one.
    void discard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void release();

    QQmlEngine& engine_;
    Look look_;
    std::unique_ptr<QQuickView> view_;
    std::optional<QPoint> lastPosition_;
    bool released_ = false;
    WindowRelease release_;
};

} // namespace tiklo
