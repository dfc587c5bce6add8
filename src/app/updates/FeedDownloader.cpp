// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/updates/FeedDownloader.h"

#include <memory>

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>

namespace tiklo {
namespace {

constexpr int firstErrorStatus = 400;

} // namespace

FeedDownloader::FeedDownloader(std::chrono::milliseconds timeLimit, qint64 sizeLimit,
                               QObject* parent)
    : QObject(parent), timeLimit_(timeLimit), sizeLimit_(sizeLimit) {}

void FeedDownloader::fetch(const QUrl& url, std::function<void(Response)> done) {
    QNetworkRequest request(url);
    // The transfer limit ends a server that stops answering; the timer below also ends one
    // that trickles bytes for ever.
    request.setTransferTimeout(static_cast<int>(timeLimit_.count()));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    QNetworkReply* reply = manager_.get(request);

    // Why the reply was aborted, if this code did it.
    auto ending = std::make_shared<std::optional<Response::Status>>();
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, reply, [reply, ending] {
        *ending = Response::Status::timedOut;
        reply->abort();
    });
    deadline->start(timeLimit_);
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [reply, ending, limit = sizeLimit_](qint64 received, qint64 total) {
                if (!ending->has_value() && (received > limit || total > limit)) {
                    *ending = Response::Status::tooLarge;
                    reply->abort();
                }
            });
    QPointer<QNetworkReply> running(reply);
    cancel_ = [running, ending] {
        if (running && !ending->has_value()) {
            *ending = Response::Status::canceled;
            running->abort();
        }
    };
    connect(reply, &QNetworkReply::finished, this, [this, reply, ending, done = std::move(done)] {
        cancel_ = nullptr;
        reply->deleteLater();
        Response response;
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        response.httpStatus = status.isValid() ? status.toInt() : 0;
        if (ending->has_value()) {
            response.status = **ending;
        } else if (reply->error() == QNetworkReply::OperationCanceledError) {
            // Only the transfer limit cancels a request that this code did not abort.
            response.status = Response::Status::timedOut;
        } else if (response.httpStatus >= firstErrorStatus) {
            response.status = Response::Status::httpError;
        } else if (reply->error() != QNetworkReply::NoError) {
            response.status = Response::Status::unreachable;
        } else {
            response.status = Response::Status::ok;
            response.body = reply->readAll();
        }
        done(std::move(response));
    });
}

void FeedDownloader::cancel() {
    if (const std::function<void()> cancel = cancel_) {
        cancel();
    }
}

} // namespace tiklo
