// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/updates/UpdatePresenter.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>

namespace tiklo {

// The updater's dialogs as message boxes. One is shown at a time: a new one replaces the
// last.
class UpdateDialogs : public UpdatePresenter {
    Q_DECLARE_TR_FUNCTIONS(UpdateDialogs)

public:
    UpdateDialogs() = default;
    ~UpdateDialogs() override;
    UpdateDialogs(const UpdateDialogs&) = delete;
    UpdateDialogs& operator=(const UpdateDialogs&) = delete;

    void showChecking(std::function<void()> cancel) override;
    void showUpToDate(const QString& currentVersion) override;
    void showUpdateAvailable(const AppcastItem& item, const QString& currentVersion) override;
    void showCheckFailed(const QString& sentence) override;
    void askForAutomaticChecks(std::function<void(bool allowed)> answer) override;

    // The dialog on screen, if any.
    QMessageBox* current() const { return current_; }
    // The progress of a check, while it is on screen.
    QProgressDialog* progress() const { return progress_; }

    // Release notes as plain text: feeds write HTML, and nothing a feed says is run or
    // fetched.
    static QString plainNotes(const QString& notes);

private:
    QMessageBox* open(const QString& text, const QString& informative);

    void closeAll();

    QPointer<QMessageBox> current_;
    QPointer<QProgressDialog> progress_;
};

} // namespace tiklo
