// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/updates/LoopbackHttpServer.h"

#include <QTcpSocket>

namespace tiklo::test {
namespace {

constexpr int trickleIntervalMs = 50;

} // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    connect(&server_, &QTcpServer::newConnection, this, &LoopbackHttpServer::accept);
    server_.listen(QHostAddress::LocalHost, 0);
}

QUrl LoopbackHttpServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
}

void LoopbackHttpServer::answer(int status, const QByteArray& body) {
    mode_ = Mode::answer;
    status_ = status;
    body_ = body;
}

void LoopbackHttpServer::accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        ++connections;
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto* received = new QByteArray;
        connect(socket, &QObject::destroyed, [received] { delete received; });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, received] {
            received->append(socket->readAll());
            const qsizetype headEnd = received->indexOf("\r\n\r\n");
            if (headEnd < 0 || received->isEmpty()) {
                return;
            }
            requests.append(received->left(headEnd));
            received->clear();
            const QByteArray head = "HTTP/1.1 " + QByteArray::number(status_) +
                                    " Status\r\nContent-Type: application/rss+xml\r\n"
                                    "Content-Length: " +
                                    QByteArray::number(body_.size()) +
                                    "\r\nConnection: close\r\n\r\n";
            switch (mode_) {
            case Mode::answer:
                socket->write(head + body_);
                socket->disconnectFromHost();
                break;
            case Mode::silent:
                break;
            case Mode::trickle: {
                // Always something new, never the end: only a limit on the whole request
                // stops it.
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
                auto* timer = new QTimer(socket);
                connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
                timer->start(trickleIntervalMs);
                break;
            }
            }
        });
    }
}

} // namespace tiklo::test
