// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/updates/AppcastItem.h"

#include <functional>

#include <QString>

namespace tiklo {

// The updater's own dialogs. None of them blocks: each returns at once.
class UpdatePresenter {
public:
    virtual ~UpdatePresenter() = default;

    // A check the user asked for is under way; `cancel` ends it, and nothing more is shown
    // of it. The check's result replaces this.
    virtual void showChecking(std::function<void()> cancel) = 0;
    virtual void showUpToDate(const QString& currentVersion) = 0;
    // Offers the release, its notes and a way to its download page.
    virtual void showUpdateAvailable(const AppcastItem& item, const QString& currentVersion) = 0;
    // `sentence`: what went wrong, in one sentence.
    virtual void showCheckFailed(const QString& sentence) = 0;
    // Asks once whether Tiklo may look for updates by itself; `answer` is called only if the
    // user answers.
    virtual void askForAutomaticChecks(std::function<void(bool allowed)> answer) = 0;
};

} // namespace tiklo
