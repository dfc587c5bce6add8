// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/SessionAccessibilityBus.h"

#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QDBusVariant>

#include <utility>

namespace tiklo {
namespace {

const QString launcherService = QStringLiteral("org.a11y.Bus");
const QString launcherPath = QStringLiteral("/org/a11y/bus");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString statusInterface = QStringLiteral("org.a11y.Status");
const QString enabledProperty = QStringLiteral("IsEnabled");

} // namespace

SessionAccessibilityBus::SessionAccessibilityBus(QDBusConnection connection, QObject* parent)
    : QObject(parent), connection_(std::move(connection)),
      launcher_(launcherService, connection_, QDBusServiceWatcher::WatchForOwnerChange) {}

void SessionAccessibilityBus::watch(Listener listener) {
    listener_ = std::move(listener);
    if (!connection_.isConnected()) {
        report(State::missing);
        return;
    }
    connection_.connect(launcherService, launcherPath, propertiesInterface,
                        QStringLiteral("PropertiesChanged"), this,
                        SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
    // A launcher that starts, stops or is replaced may bring another state.
    connect(&launcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &SessionAccessibilityBus::query);
    query();
}

void SessionAccessibilityBus::propertiesChanged(const QString& interface,
                                                const QVariantMap& changed,
                                                const QStringList& invalidated) {
    if (interface != statusInterface) {
        return;
    }
    if (const auto value = changed.constFind(enabledProperty); value != changed.constEnd()) {
        questions_.overtake();
        report(value->toBool() ? State::on : State::off);
    } else if (invalidated.contains(enabledProperty)) {
        query();
    }
}

void SessionAccessibilityBus::query() {
    QDBusMessage get = QDBusMessage::createMethodCall(launcherService, launcherPath,
                                                      propertiesInterface, QStringLiteral("Get"));
    get << statusInterface << enabledProperty;
    // On a desktop where the launcher is started on demand, this question starts it.
    questions_.ask(connection_, get, replyTimeoutMs, [this](const QDBusPendingCall& call) {
        const QDBusPendingReply<QDBusVariant> reply = call;
        if (reply.isError()) {
            report(State::missing);
            return;
        }
        report(reply.value().variant().toBool() ? State::on : State::off);
    });
}

void SessionAccessibilityBus::report(State state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    if (listener_) {
        listener_(state);
    }
}

} // namespace tiklo
