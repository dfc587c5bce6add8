// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UpdateDialogs.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QTextDocumentFragment>

namespace tiklo {
namespace {

// Long notes are cut: the dialog is not a reader.
constexpr qsizetype notesLimit = 2000;

} // namespace

UpdateDialogs::~UpdateDialogs() {
    closeAll();
}

void UpdateDialogs::closeAll() {
    // Deleted, not closed: closing the progress would count as the user's cancel.
    delete current_.data();
    delete progress_.data();
}

QString UpdateDialogs::plainNotes(const QString& notes) {
    QString text = QTextDocumentFragment::fromHtml(notes).toPlainText().trimmed();
    if (text.size() > notesLimit) {
        text = text.left(notesLimit).trimmed() + QChar(0x2026);
    }
    return text;
}

QMessageBox* UpdateDialogs::open(const QString& text, const QString& informative) {
    closeAll();
    auto* box = new QMessageBox;
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("Tiklo"));
    box->setIcon(QMessageBox::Information);
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setInformativeText(informative);
    current_ = box;
    return box;
}

void UpdateDialogs::showChecking(std::function<void()> cancel) {
    closeAll();
    // No steps to count: a busy bar until the answer, or the time limit, replaces it.
    auto* dialog = new QProgressDialog(tr("Checking for updates\u2026"), tr("Cancel"), 0, 0);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Tiklo"));
    dialog->setMinimumDuration(0);
    // The Cancel button, Escape and the window's close button all end the check.
    const auto end = [dialog, cancel = std::move(cancel)] {
        cancel();
        dialog->deleteLater();
    };
    QObject::connect(dialog, &QProgressDialog::canceled, dialog, end);
    QObject::connect(dialog, &QDialog::rejected, dialog, end);
    progress_ = dialog;
    dialog->show();
}

void UpdateDialogs::showUpToDate(const QString& currentVersion) {
    QMessageBox* box =
        open(tr("You're up to date!"), tr("Tiklo %1 is the newest version.").arg(currentVersion));
    box->setStandardButtons(QMessageBox::Ok);
    box->show();
}

void UpdateDialogs::showUpdateAvailable(const AppcastItem& item, const QString& currentVersion) {
    QMessageBox* box =
        open(tr("A new version of Tiklo is available!"),
             tr("Tiklo %1 is out; you have %2.").arg(item.displayVersion, currentVersion));
    const QString notes = plainNotes(item.releaseNotes);
    if (!notes.isEmpty()) {
        box->setDetailedText(notes);
    }
    QPushButton* download = box->addButton(tr("Open Download Page"), QMessageBox::AcceptRole);
    box->addButton(tr("Later"), QMessageBox::RejectRole);
    box->setDefaultButton(download);
    const QUrl page = item.downloadPage;
    QObject::connect(download, &QPushButton::clicked, box,
                     [page] { QDesktopServices::openUrl(page); });
    box->show();
}

void UpdateDialogs::showCheckFailed(const QString& sentence) {
    QMessageBox* box = open(tr("Tiklo could not check for updates."), sentence);
    box->setIcon(QMessageBox::Warning);
    box->setStandardButtons(QMessageBox::Ok);
    box->show();
}

void UpdateDialogs::askForAutomaticChecks(std::function<void(bool allowed)> answer) {
    QMessageBox* box = open(tr("Check for updates automatically?"),
                            tr("Tiklo can look for a newer version once a day. Only the update "
                               "feed is fetched; nothing you type ever leaves your computer."));
    box->setIcon(QMessageBox::Question);
    QPushButton* yes = box->addButton(tr("Check Automatically"), QMessageBox::YesRole);
    QPushButton* no = box->addButton(tr("Don't Check"), QMessageBox::NoRole);
    box->setDefaultButton(yes);
    box->setEscapeButton(no);
    QObject::connect(box, &QMessageBox::buttonClicked, box,
                     [yes, no, answer = std::move(answer)](QAbstractButton* button) {
                         if (button == yes || button == no) {
                             answer(button == yes);
                         }
                     });
    box->show();
}

} // namespace tiklo
