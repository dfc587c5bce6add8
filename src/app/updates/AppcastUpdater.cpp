// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/updates/AppcastUpdater.h"

#include "app/updates/Appcast.h"

#include <QCoreApplication>

namespace tiklo {
namespace {

// What a failed check tells the user, one sentence for each way it can fail.
QString failureSentence(const FeedDownloader::Response& response) {
    using Status = FeedDownloader::Response::Status;
    switch (response.status) {
    case Status::unreachable:
        return QCoreApplication::translate("AppcastUpdater",
                                           "Tiklo could not reach the update server.");
    case Status::timedOut:
        return QCoreApplication::translate("AppcastUpdater",
                                           "The update server did not answer in time.");
    case Status::httpError:
        return QCoreApplication::translate("AppcastUpdater",
                                           "The update server answered with an error (HTTP %1).")
            .arg(response.httpStatus);
    case Status::tooLarge:
    case Status::canceled:
    case Status::ok:
        break;
    }
    return QCoreApplication::translate("AppcastUpdater",
                                       "The update information from the server could not be read.");
}

} // namespace

AppcastUpdater::AppcastUpdater(Config config, Services services)
    : config_(std::move(config)), presenter_(services.presenter), timers_(services.timers),
      automatic_(services.defaults, std::move(services.clock)), downloader_(config_.timeLimit) {}

void AppcastUpdater::start() {
    if (started_ || config_.feed.isEmpty()) {
        return;
    }
    started_ = true;
    setBusy(false);
    if (automatic_.launchNeedsQuestion()) {
        presenter_.askForAutomaticChecks([this](bool allowed) {
            automatic_.setConsent(allowed);
            if (allowed) {
                startAutomaticChecks();
            }
        });
    } else if (automatic_.consent() == AutomaticUpdateChecks::Consent::allowed) {
        startAutomaticChecks();
    }
}

bool AppcastUpdater::canCheckForUpdates() const {
    return started_ && !busy_;
}

void AppcastUpdater::setCanCheckHandler(std::function<void(bool)> handler) {
    canCheckHandler_ = std::move(handler);
}

void AppcastUpdater::checkForUpdates() {
    if (canCheckForUpdates()) {
        run(Kind::user);
    }
}

void AppcastUpdater::startAutomaticChecks() {
    if (dueTimer_) {
        return;
    }
    dueTimer_ = timers_.startRepeating(dueCheckSeconds, [this] { checkIfDue(); });
    checkIfDue();
}

void AppcastUpdater::checkIfDue() {
    if (!busy_ && automatic_.isDue()) {
        automatic_.recordCheck();
        run(Kind::automatic);
    }
}

void AppcastUpdater::run(Kind kind) {
    setBusy(true);
    if (kind == Kind::user) {
        presenter_.showChecking([this] { downloader_.cancel(); });
    }
    downloader_.fetch(config_.feed, [this, kind](const FeedDownloader::Response& response) {
        setBusy(false);
        finish(kind, response);
    });
}

void AppcastUpdater::finish(Kind kind, const FeedDownloader::Response& response) {
    const bool byUser = kind == Kind::user;
    if (response.status == FeedDownloader::Response::Status::canceled) {
        return; // the user no longer waits for it
    }
    std::optional<Appcast> appcast;
    if (response.status == FeedDownloader::Response::Status::ok) {
        appcast = Appcast::parse(response.body);
    }
    if (!appcast) {
        if (byUser) {
            presenter_.showCheckFailed(failureSentence(response));
        }
        return;
    }
    const std::optional<DottedVersion> current = DottedVersion::parse(config_.currentVersion);
    const AppcastItem& newest = appcast->newest();
    if (!current || newest.version > *current) {
        presenter_.showUpdateAvailable(newest, config_.currentVersion);
    } else if (byUser) {
        presenter_.showUpToDate(config_.currentVersion);
    }
}

void AppcastUpdater::setBusy(bool busy) {
    busy_ = busy;
    if (canCheckHandler_) {
        canCheckHandler_(canCheckForUpdates());
    }
}

} // namespace tiklo
