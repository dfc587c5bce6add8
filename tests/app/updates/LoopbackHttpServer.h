// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTimer>
#include <QUrl>

namespace tiklo::test {

// A small HTTP server on 127.0.0.1 for update checks: it answers every request with the
// response set, says nothing at all, or trickles its answer a byte at a time. It records
// each connection and request head.
class LoopbackHttpServer : public QObject {
    Q_OBJECT
public:
    enum class Mode { answer, silent, trickle };

    LoopbackHttpServer();

    bool listening() const { return server_.isListening(); }
    QUrl url(const QString& path) const;
    // Stops listening: the port is then closed, as with a server that is down.
    void close() { server_.close(); }

    void answer(int status, const QByteArray& body);
    void setMode(Mode mode) { mode_ = mode; }

    int connections = 0;
    QList<QByteArray> requests;

private:
    void accept();

    QTcpServer server_;
    Mode mode_ = Mode::answer;
    int status_ = 200;
    QByteArray body_;
};

} // namespace tiklo::test
