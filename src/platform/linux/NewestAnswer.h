// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QObject>

#include <functional>

namespace tiklo {

// Questions asked on the bus without waiting, of which only the newest counts: the answer to
// a question that a newer one or news (an announcement on the bus) overtook is dropped, as
// it tells of an older state. Main thread only.
class NewestAnswer {
public:
    using Answer = std::function<void(const QDBusPendingCall& reply)>;

    // Answers are delivered in `owner`'s thread, and none after it is gone.
    explicit NewestAnswer(QObject* owner) : owner_(owner) {}

    // Sends `question`; `answer` hears the reply (or the error) unless it was overtaken.
    void ask(const QDBusConnection& connection, const QDBusMessage& question, int timeoutMs,
             Answer answer);
    // News came: the answers still to come are older than it.
    void overtake() { ++asked_; }

private:
    QObject* owner_;
    quint64 asked_ = 0;
};

} // namespace tiklo
