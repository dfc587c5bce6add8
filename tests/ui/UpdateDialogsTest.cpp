// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UpdateDialogs.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "ui/UrlRecorder.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

QAbstractButton* buttonNamed(QMessageBox& box, const QString& text) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == text) {
            return button;
        }
    }
    return nullptr;
}

AppcastItem release(const QString& notes) {
    return AppcastItem{*DottedVersion::parse("0.2.0"), "0.2", notes,
                       QUrl("https://tiklo.example/download")};
}

TEST(UpdateDialogsTest, NotesAreShownAsPlainTextWithinALimit) {
    const QString notes =
        UpdateDialogs::plainNotes("<h2>What's new</h2><ul><li>Faster <b>search</b></li></ul>"
                                  "<img src=\"https://tracker.example/pixel.png\">");
    EXPECT_TRUE(notes.contains("What's new"));
    EXPECT_TRUE(notes.contains("Faster search"));
    EXPECT_FALSE(notes.contains('<'));
    EXPECT_FALSE(notes.contains("tracker"));

    const QString longNotes = UpdateDialogs::plainNotes(QString(5000, u'x'));
    EXPECT_LT(longNotes.size(), 2100);
    EXPECT_TRUE(longNotes.endsWith(QChar(0x2026)));
}

// The notes go in as plain text, and the button opens the release's own page.
TEST(UpdateDialogsTest, ANewerVersionLeadsToItsPage) {
    UpdateDialogs dialogs;
    dialogs.showUpdateAvailable(release("<p>Faster search</p>"), "0.1.0");
    QMessageBox* box = dialogs.current();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->detailedText(), "Faster search");
    QAbstractButton* download = buttonNamed(*box, "Open Download Page");
    ASSERT_NE(download, nullptr);
    test::UrlRecorder browser("https");
    download->click();
    EXPECT_EQ(browser.opened, QList<QUrl>{QUrl("https://tiklo.example/download")});
}

// The progress ends the check only when the user ends it: a result replacing it does not.
TEST(UpdateDialogsTest, TheProgressCancelsOnlyWhenTheUserEndsIt) {
    UpdateDialogs dialogs;
    int cancels = 0;
    dialogs.showChecking([&] { ++cancels; });
    ASSERT_NE(dialogs.progress(), nullptr);
    EXPECT_TRUE(dialogs.progress()->isVisible());
    dialogs.showUpToDate("0.1.0");
    EXPECT_EQ(dialogs.progress(), nullptr);
    EXPECT_EQ(cancels, 0);

    // Its Cancel button, and Escape.
    for (const bool byEscape : {false, true}) {
        const int before = cancels;
        dialogs.showChecking([&] { ++cancels; });
        EXPECT_EQ(dialogs.current(), nullptr) << "the result before it goes";
        QProgressDialog* progress = dialogs.progress();
        ASSERT_NE(progress, nullptr);
        if (byEscape) {
            QTest::keyClick(progress, Qt::Key_Escape);
        } else {
            auto* cancel = progress->findChild<QPushButton*>();
            ASSERT_NE(cancel, nullptr);
            cancel->click();
        }
        QTest::qWait(0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.progress() == nullptr; }));
        EXPECT_GT(cancels, before);
    }
}

TEST(UpdateDialogsTest, TheQuestionAnswersOnlyWhenAButtonIsChosen) {
    UpdateDialogs dialogs;
    std::vector<bool> answers;
    dialogs.askForAutomaticChecks([&](bool allowed) { answers.push_back(allowed); });
    ASSERT_NE(dialogs.current(), nullptr);
    buttonNamed(*dialogs.current(), "Check Automatically")->click();
    EXPECT_EQ(answers, std::vector<bool>{true});

    dialogs.askForAutomaticChecks([&](bool allowed) { answers.push_back(allowed); });
    // Escape counts as "Don't Check".
    EXPECT_EQ(dialogs.current()->escapeButton(), buttonNamed(*dialogs.current(), "Don't Check"));
    dialogs.current()->escapeButton()->click();
    EXPECT_EQ(answers, (std::vector<bool>{true, false}));

    // A dialog replaced by another answers nothing.
    dialogs.askForAutomaticChecks([&](bool allowed) { answers.push_back(allowed); });
    dialogs.showUpToDate("0.1.0");
    EXPECT_EQ(answers.size(), 2u);
}

} // namespace
} // namespace tiklo
