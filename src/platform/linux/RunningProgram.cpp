// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/RunningProgram.h"

#include "core/AddonBusNames.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace tiklo {

bool RunningProgram::ask(const char* method) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(addonbus::programService), QString::fromLatin1(addonbus::programPath),
        QString::fromLatin1(addonbus::programInterface), QString::fromLatin1(method));
    // Only the Tiklo that runs: the bus never starts one.
    call.setAutoStartService(false);
    return bus.call(call, QDBus::Block, replyTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

} // namespace tiklo
