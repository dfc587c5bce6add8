// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/updates/UpdaterController.h"
#include "support/FakeAppEnvironment.h"
#include "ui/TrayMenu.h"
#include "ui/UpdateDialogs.h"

#include <QDesktopServices>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

// An updater whose ability to check the test sets; counts starts and checks.
class FakeSoftwareUpdater : public SoftwareUpdater {
public:
    void start() override { ++starts; }
    bool canCheckForUpdates() const override { return canCheck; }
    void setCanCheckHandler(std::function<void(bool)> handler) override {
        report = std::move(handler);
    }
    void checkForUpdates() override { ++checks; }

    // Changes the value and reports it as the real updater would.
    void setCanCheck(bool value) {
        canCheck = value;
        report(value);
    }

    bool canCheck = false;
    int starts = 0;
    int checks = 0;
    std::function<void(bool)> report;
};

// Takes the addresses QDesktopServices is asked to open, instead of a browser, while it
// serves `scheme`.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    explicit UrlRecorder(const QString& scheme) : scheme_(scheme) {
        QDesktopServices::setUrlHandler(scheme_, this, "open");
    }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(scheme_); }

    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }

private:
    QString scheme_;
};

// A menu's action or a message box's button by its text, or null.
template <typename Entry> Entry* named(const QList<Entry*>& entries, const QString& text) {
    const auto found = std::ranges::find(entries, text, &Entry::text);
    return found != entries.end() ? *found : nullptr;
}

// What of the menu follows the store and the updater: whether updates can be checked, whether
// Enabled is ticked, and whether Grant Accessibility is offered.
std::tuple<bool, bool, bool> shown(QMenu& menu) {
    return {named(menu.actions(), QString::fromUtf8("Check for Updates\u2026"))->isEnabled(),
            named(menu.actions(), "Enabled")->isChecked(),
            named(menu.actions(), "Grant Accessibility") != nullptr};
}

TEST(TrayMenuTest, MenuFollowsTheStoreAndTheUpdaterAndEachItemDoesItsOwnThing) {
    test::FakeAppEnvironment app;
    AppState& state = app.state;
    FakeSoftwareUpdater fakeUpdater;
    UpdaterController updater{fakeUpdater};
    // Settings and Quit Tiklo are the tray's desktop test's.
    int pickers = 0, permissionPages = 0, welcomes = 0;
    TrayMenu tray(
        state, updater,
        {[&] { ++pickers; }, [] {}, [&] { ++permissionPages; }, [&] { ++welcomes; }, [] {}});
    QMenu& menu = tray.menu();
    EXPECT_EQ(shown(menu), std::tuple(false, true, true));

    // The updater's value, the first included, arrives on a later turn of the main loop,
    // and the menu follows.
    fakeUpdater.canCheck = true;
    updater.start();
    EXPECT_EQ(fakeUpdater.starts, 1);
    EXPECT_EQ(shown(menu), std::tuple(false, true, true));
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(menu), std::tuple(true, true, true));

    state.setAccessibilityGranted(true);
    state.setMasterEnabled(false);
    EXPECT_EQ(shown(menu), std::tuple(true, false, false));
    // Several values in one turn arrive in order: the last one holds.
    fakeUpdater.setCanCheck(false);
    fakeUpdater.setCanCheck(true);
    fakeUpdater.setCanCheck(false);
    EXPECT_EQ(shown(menu), std::tuple(true, false, false));
    QCoreApplication::processEvents();
    EXPECT_EQ(shown(menu), std::tuple(false, false, false));
    // Granted keys, but no caret: the bus is off.
    state.setCaretTracking(view::CaretTracking::Off);
    EXPECT_EQ(shown(menu), std::tuple(false, false, true));

    state.setMasterEnabled(true);
    fakeUpdater.setCanCheck(true);
    QCoreApplication::processEvents();
    named(menu.actions(), "Show Picker")->trigger();
    named(menu.actions(), "Welcome Guide")->trigger();
    EXPECT_EQ(std::tie(pickers, welcomes, permissionPages), std::tuple(1, 1, 0));

    named(menu.actions(), QString::fromUtf8("Check for Updates\u2026"))->trigger();
    EXPECT_EQ(fakeUpdater.checks, 1);

    // Toggling from the menu saves at once and redraws the menu under the item just used.
    named(menu.actions(), "Enabled")->trigger();
    EXPECT_FALSE(state.masterEnabled());
    EXPECT_EQ(app.defaults.boolValue("masterEnabled"), false);
    EXPECT_FALSE(named(menu.actions(), "Enabled")->isChecked());
    QCoreApplication::processEvents(); // the replaced items go

    // Grant switches on what can be switched on, and shows the Permissions page for the rest.
    struct GrantCase {
        bool keys;
        view::CaretTracking caret;
        int requests;
        int pages;
    };
    for (const GrantCase& c : {GrantCase{true, view::CaretTracking::Off, 1, 0},
                               GrantCase{true, view::CaretTracking::Unavailable, 0, 1},
                               GrantCase{false, view::CaretTracking::On, 0, 1},
                               GrantCase{false, view::CaretTracking::Off, 1, 1}}) {
        SCOPED_TRACE(testing::Message() << "keys " << c.keys << ", caret " << int(c.caret));
        state.setAccessibilityGranted(c.keys);
        state.setCaretTracking(c.caret);
        app.trust.requests = 0;
        permissionPages = 0;
        named(menu.actions(), "Grant Accessibility")->trigger();
        EXPECT_EQ(std::tie(app.trust.requests, permissionPages), std::tie(c.requests, c.pages));
        QCoreApplication::processEvents();
    }
}

// The notes go in as plain text, without what they would fetch, and within a limit; the button
// opens the release's own page.
TEST(UpdateDialogsTest, NotesArePlainTextAndOnlyTheUserEndsTheProgressOrTheQuestion) {
    const QString notes =
        UpdateDialogs::plainNotes("<h2>What's new</h2><ul><li>Faster <b>search</b></li></ul>"
                                  "<img src=\"https://tracker.example/pixel.png\">");
    EXPECT_TRUE(notes.contains("What's new"));
    EXPECT_TRUE(notes.contains("Faster search"));
    EXPECT_FALSE(notes.contains('<'));
    EXPECT_FALSE(notes.contains("tracker"));
    // Two thousand characters are kept whole; one more and they end in an ellipsis.
    EXPECT_EQ(UpdateDialogs::plainNotes(QString(2000, u'x')), QString(2000, u'x'));
    EXPECT_EQ(UpdateDialogs::plainNotes(QString(2001, u'x')), QString(2000, u'x') + QChar(0x2026));

    UpdateDialogs dialogs;
    dialogs.showUpdateAvailable({*DottedVersion::parse("0.2.0"), "0.2", "<p>Faster search</p>",
                                 QUrl("https://tiklo.example/download")},
                                "0.1.0");
    QMessageBox* box = dialogs.current();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->detailedText(), "Faster search");
    QAbstractButton* download = named(box->buttons(), "Open Download Page");
    ASSERT_NE(download, nullptr);
    UrlRecorder browser("https");
    download->click();
    EXPECT_EQ(browser.opened, QList<QUrl>{QUrl("https://tiklo.example/download")});

    // The progress ends the check, and the question answers, only when the user ends them: a
    // dialog replacing them does not.
    int cancels = 0;
    dialogs.showChecking([&] { ++cancels; });
    ASSERT_NE(dialogs.progress(), nullptr);
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

    std::vector<bool> answers;
    const auto answer = [&](bool allowed) { answers.push_back(allowed); };
    dialogs.askForAutomaticChecks(answer);
    ASSERT_NE(dialogs.current(), nullptr);
    named(dialogs.current()->buttons(), "Check Automatically")->click();
    EXPECT_EQ(answers, std::vector<bool>{true});
    dialogs.askForAutomaticChecks(answer);
    // Escape counts as "Don't Check".
    EXPECT_EQ(dialogs.current()->escapeButton(),
              named(dialogs.current()->buttons(), "Don't Check"));
    dialogs.current()->escapeButton()->click();
    EXPECT_EQ(answers, (std::vector<bool>{true, false}));
    dialogs.askForAutomaticChecks(answer);
    dialogs.showUpToDate("0.1.0");
    EXPECT_EQ(answers.size(), 2u);
}

} // namespace
} // namespace tiklo

#include "TrayAndUpdatesTest.moc"
