// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/NewestAnswer.h"

#include <QDBusPendingCallWatcher>

#include <utility>

namespace tiklo {

void NewestAnswer::ask(const QDBusConnection& connection, const QDBusMessage& question,
                       int timeoutMs, Answer answer) {
    auto* pending = new QDBusPendingCallWatcher(connection.asyncCall(question, timeoutMs), owner_);
    const quint64 asked = ++asked_;
    QObject::connect(pending, &QDBusPendingCallWatcher::finished, owner_,
                     [this, asked, answer = std::move(answer)](QDBusPendingCallWatcher* call) {
                         call->deleteLater();
                         if (asked == asked_) {
                             answer(*call);
                         }
                     });
}

} // namespace tiklo
