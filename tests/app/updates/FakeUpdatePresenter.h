// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/updates/UpdatePresenter.h"

#include <optional>
#include <vector>

namespace tiklo::test {

// Records what the updater would have shown; keeps the question's answer handler.
class FakeUpdatePresenter : public UpdatePresenter {
public:
    enum class Kind { upToDate, updateAvailable, failed };
    struct Shown {
        Kind kind;
        QString text; // the offered version, or the failure's sentence
        QString notes;
        QUrl page;
    };

    void showChecking(std::function<void()> cancel) override {
        ++checkingShown;
        cancelCheck = std::move(cancel);
    }
    void showUpToDate(const QString& currentVersion) override {
        shown.push_back({Kind::upToDate, currentVersion, {}, {}});
    }
    void showUpdateAvailable(const AppcastItem& item, const QString&) override {
        shown.push_back(
            {Kind::updateAvailable, item.displayVersion, item.releaseNotes, item.downloadPage});
    }
    void showCheckFailed(const QString& sentence) override {
        shown.push_back({Kind::failed, sentence, {}, {}});
    }
    void askForAutomaticChecks(std::function<void(bool)> answer) override {
        ++questions;
        answerQuestion = std::move(answer);
    }

    std::vector<Shown> shown;
    int questions = 0;
    int checkingShown = 0;
    std::function<void()> cancelCheck;
    std::function<void(bool)> answerQuestion;
};

} // namespace tiklo::test
