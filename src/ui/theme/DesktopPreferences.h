// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

class QJSEngine;
class QQmlEngine;

namespace tiklo {

// The desktop's wishes the views follow, as the Theme module's singleton: each engine's
// instance starts from what the program learnt of the desktop at start-up.
class DesktopPreferences : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // Keep animation to a minimum: changes happen at once.
    Q_PROPERTY(bool reduceMotion READ reduceMotion WRITE setReduceMotion NOTIFY reduceMotionChanged)

public:
    // For the instances made after it; the program calls it before it loads any view.
    static void setDesktopReducesMotion(bool value);
    static DesktopPreferences* create(QQmlEngine* engine, QJSEngine* scriptEngine);

    bool reduceMotion() const { return reduceMotion_; }
    void setReduceMotion(bool value);

signals:
    void reduceMotionChanged();

private:
    explicit DesktopPreferences(QObject* parent = nullptr);

    bool reduceMotion_;
};

} // namespace tiklo
