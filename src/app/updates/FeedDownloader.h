// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

namespace tiklo {

// Fetches the update feed: one GET at a time limit and a size limit. Nothing is sent but
// the request for the address itself.
class FeedDownloader : public QObject {
    Q_OBJECT
public:
    // What the server answered, or why there is no answer.
    struct Response {
        enum class Status { ok, unreachable, timedOut, httpError, tooLarge, canceled };
        Status status = Status::unreachable;
        int httpStatus = 0; // when the server answered
        QByteArray body;    // when ok
    };

    // A feed is a few kilobytes; anything far larger is not one.
    static constexpr qint64 defaultSizeLimit = 1024 * 1024;

    explicit FeedDownloader(std::chrono::milliseconds timeLimit,
                            qint64 sizeLimit = defaultSizeLimit, QObject* parent = nullptr);

    // `done` is called exactly once, on the main thread, after this call has returned; the
    // whole request, connecting included, ends within the time limit.
    void fetch(const QUrl& url, std::function<void(Response)> done);
    // Ends the request under way, if any: its `done` gets `canceled`.
    void cancel();

private:
    QNetworkAccessManager manager_;
    // The request under way, and how to end it.
    std::function<void()> cancel_;
    std::chrono::milliseconds timeLimit_;
    qint64 sizeLimit_;
};

} // namespace tiklo
