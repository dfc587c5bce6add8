// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/updates/AutomaticUpdateChecks.h"
#include "app/updates/FeedDownloader.h"
#include "app/updates/SoftwareUpdater.h"
#include "app/updates/UpdatePresenter.h"
#include "platform/RepeatingTimer.h"

#include <chrono>
#include <memory>

#include <QString>
#include <QUrl>

namespace tiklo {

// Tiklo's own updater: reads the appcast at the feed address, compares its newest version
// with the running one and tells the user through the presenter. Checks the user asks for
// always end in a dialog; automatic ones (once a day, only with the user's consent) speak
// only when there is a newer version. Without a feed address no check can start.
class AppcastUpdater : public SoftwareUpdater {
public:
    // How often the daily rule is looked at; the check itself happens at most once a day.
    static constexpr double dueCheckSeconds = 60 * 60;

    struct Config {
        QUrl feed; // empty: no feed
        QString currentVersion;
        std::chrono::milliseconds timeLimit;
    };

    struct Services {
        UpdatePresenter& presenter;
        DefaultsStore& defaults;
        TimerFactory& timers;
        Clock clock = secondsSinceReferenceDate;
    };

    AppcastUpdater(Config config, Services services);

    void start() override;
    bool canCheckForUpdates() const override;
    void setCanCheckHandler(std::function<void(bool)> handler) override;
    void checkForUpdates() override;

private:
    enum class Kind { user, automatic };

    void startAutomaticChecks();
    void checkIfDue();
    void run(Kind kind);
    void finish(Kind kind, const FeedDownloader::Response& response);
    void setBusy(bool busy);

    Config config_;
    UpdatePresenter& presenter_;
    TimerFactory& timers_;
    AutomaticUpdateChecks automatic_;
    FeedDownloader downloader_;
    std::unique_ptr<RepeatingTimer> dueTimer_;
    std::function<void(bool)> canCheckHandler_;
    bool started_ = false;
    bool busy_ = false;
};

} // namespace tiklo
