// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/AccessibilityBus.h"
#include "platform/linux/NewestAnswer.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace tiklo {

// The accessibility bus as the session bus shows it: the bus launcher (org.a11y.Bus, from
// at-spi2-core) publishes org.a11y.Status.IsEnabled and announces its changes, whoever
// makes them (Tiklo, the desktop's settings, a screen reader). Main thread only.
class SessionAccessibilityBus : public QObject, public AccessibilityBus {
    Q_OBJECT
public:
    // Each question to the launcher ends within this.
    static constexpr int replyTimeoutMs = 2000;

    explicit SessionAccessibilityBus(QDBusConnection connection = QDBusConnection::sessionBus(),
                                     QObject* parent = nullptr);

    void watch(Listener listener) override;

private slots:
    void propertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& invalidated);

private:
    void query();
    void report(State state);

    QDBusConnection connection_;
    QDBusServiceWatcher launcher_;
    Listener listener_;
    State state_ = State::unknown;
    NewestAnswer questions_{this};
};

} // namespace tiklo
