// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/InputMethodLink.h"

#include "core/AddonBusNames.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStandardPaths>

#include <utility>

namespace tiklo {
namespace {

QString name(const char* busName) {
    return QString::fromLatin1(busName);
}

} // namespace

const InputMethodLink::Names InputMethodLink::fcitx5{addonbus::fcitxService, addonbus::addonPath,
                                                     addonbus::addonInterface,
                                                     "fcitx5/addon/tiklo-fcitx5.conf", false};
const InputMethodLink::Names InputMethodLink::ibus{addonbus::ibusService, addonbus::ibusPath,
                                                   addonbus::ibusInterface,
                                                   "ibus/component/tiklo.xml", true};

InputMethodLink::InputMethodLink(Names names, QDBusConnection connection, QObject* parent)
    : QObject(parent), names_(names), connection_(std::move(connection)),
      watcher_(name(names.service), connection_, QDBusServiceWatcher::WatchForOwnerChange) {
    if (!connection_.isConnected()) {
        return;
    }
    connection_.connect(name(names_.service), name(names_.path), name(names_.interface),
                        QStringLiteral("FocusChanged"), this, SLOT(focusChanged(bool)));
    // A front end that starts holds no field yet; one that stopped holds none.
    connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& owner) {
                holdsFocus_ = false;
                ask();
                // A new one has not heard of the window active now.
                if (!owner.isEmpty() && ownWindowActive_) {
                    setOwnWindowActive(true);
                }
            });
    ask();
}

QDBusMessage InputMethodLink::call(const char* method) const {
    QDBusMessage message = QDBusMessage::createMethodCall(name(names_.service), name(names_.path),
                                                          name(names_.interface), name(method));
    // Debian's fcitx5 can be started by the bus: a call must never start an input method.
    message.setAutoStartService(false);
    return message;
}

void InputMethodLink::watch(std::function<void(State)> listener) {
    listener_ = std::move(listener);
    if (!connection_.isConnected()) {
        report(false);
    } else if (state_ != State::unknown) {
        listener_(state_);
    }
}

void InputMethodLink::report(bool answered) {
    const bool installed = answered || !QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                               name(names_.installedFile))
                                            .isEmpty();
    const State state = answered ? State::on : installed ? State::off : State::notInstalled;
    if (state == state_) {
        return;
    }
    state_ = state;
    if (listener_) {
        listener_(state_);
    }
    emit stateChanged();
}

void InputMethodLink::focusChanged(bool focused) {
    questions_.overtake();
    holdsFocus_ = focused;
    report(true);
}

void InputMethodLink::ask() {
    questions_.ask(connection_, call("ServesFocus"), replyTimeoutMs,
                   [this](const QDBusPendingCall& reply) {
                       const QDBusPendingReply<bool> served = reply;
                       holdsFocus_ = !served.isError() && served.value();
                       report(!served.isError());
                   });
}

void InputMethodLink::commit(const std::string& text) {
    QDBusMessage message = call("Commit");
    message << QString::fromStdString(text);
    // Nothing to wait for: the front end commits when the field has the focus again.
    connection_.send(message);
}

void InputMethodLink::askForPicker(std::function<void(bool)> answered) {
    auto* watcher = new QDBusPendingCallWatcher(
        connection_.asyncCall(call("AskForPicker"), replyTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [answered = std::move(answered)](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<bool> asked = *finished;
                finished->deleteLater();
                answered(!asked.isError() && asked.value());
            });
}

void InputMethodLink::setOwnWindowActive(bool active) {
    ownWindowActive_ = active;
    if (!names_.followsOwnWindows || !connection_.isConnected()) {
        return;
    }
    // Sent whether or not the front end runs now: windows change seldom, and a call to no one
    // is answered by the bus at once.
    QDBusMessage message = call("SetOwnWindowActive");
    message << active;
    connection_.send(message);
}

} // namespace tiklo
