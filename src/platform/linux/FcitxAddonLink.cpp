#include "platform/linux/FcitxAddonLink.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStandardPaths>

#include <utility>

namespace tiklo {

FcitxAddonLink::FcitxAddonLink(QDBusConnection connection, QObject* parent)
    : QObject(parent), connection_(std::move(connection)),
      fcitx_(QString::fromLatin1(service), connection_, QDBusServiceWatcher::WatchForOwnerChange) {
    if (!connection_.isConnected()) {
        return;
    }
    connection_.connect(QString::fromLatin1(service), QString::fromLatin1(path),
                        QString::fromLatin1(interface), QStringLiteral("FocusChanged"), this,
                        SLOT(focusChanged(bool)));
    // A new fcitx5 starts with no field focused; a stopped one holds none.
    connect(&fcitx_, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
        ++lastQuestion_;
        holdsFocus_ = false;
        ask();
    });
    ask();
}

void FcitxAddonLink::watch(Listener listener) {
    listener_ = std::move(listener);
    if (!connection_.isConnected()) {
        report(false);
    } else if (state_ != State::unknown) {
        listener_(state_);
    }
}

void FcitxAddonLink::report(bool answered) {
    // Where Debian's package puts it, or any other folder of fcitx5's data.
    const bool installed =
        answered || !QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                            QStringLiteral("fcitx5/addon/tiklo-fcitx5.conf"))
                         .isEmpty();
    const State state = answered ? State::on : installed ? State::off : State::notInstalled;
    if (state == state_) {
        return;
    }
    state_ = state;
    if (listener_) {
        listener_(state_);
    }
}

void FcitxAddonLink::focusChanged(bool focused) {
    ++lastQuestion_;
    holdsFocus_ = focused;
    report(true);
}

void FcitxAddonLink::ask() {
    QDBusMessage question = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(path), QString::fromLatin1(interface),
        QStringLiteral("ServesFocus"));
    // Debian's fcitx5 can be started by the bus: asking must never start it.
    question.setAutoStartService(false);
    auto* pending =
        new QDBusPendingCallWatcher(connection_.asyncCall(question, replyTimeoutMs), this);
    const quint64 asked = ++lastQuestion_;
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, asked](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (asked != lastQuestion_) {
                    return;
                }
                const QDBusPendingReply<bool> reply = *call;
                holdsFocus_ = !reply.isError() && reply.value();
                report(!reply.isError());
            });
}

} // namespace tiklo
