// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TrayMenu.h"
#include "app/updates/UpdaterController.h"
#include "support/FakeAppEnvironment.h"
#include "ui/AppLinks.h"
#include "ui/FakeSoftwareUpdater.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include "ui/UrlRecorder.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

// One row of the menu as people see it.
struct Row {
    QString text; // "-" for a separator
    QString shortcut;
    bool enabled = true;
    bool checked = false;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.text.toStdString() << " [" << row.shortcut.toStdString() << "]"
         << (row.enabled ? "" : " disabled") << (row.checked ? " checked" : "");
}

const Row separatorRow{"-", "", true, false};

// The whole menu expected for the given states, top to bottom.
std::vector<Row> expectedMenu(bool masterEnabled, bool accessibilityGranted, bool canCheck,
                              bool caretMissing = false) {
    std::vector<Row> rows{
        {"Show Picker", "Ctrl+Alt+E"},
        {"Settings", ""},
        {"Welcome Guide", ""},
        {QString::fromUtf8("Orlen's newsletter\u2026"), ""},
        {QString::fromUtf8("Check for Updates\u2026"), "", canCheck},
        separatorRow,
        {"Enabled", "", true, masterEnabled},
    };
    if (!accessibilityGranted || caretMissing) {
        rows.push_back({"Grant Accessibility", ""});
    }
    rows.push_back(separatorRow);
    rows.push_back({"Quit Tiklo", "Ctrl+Q"});
    return rows;
}

std::vector<Row> menuRows(QMenu& menu) {
    std::vector<Row> rows;
    for (QAction* action : menu.actions()) {
        if (!action->isVisible()) {
            continue;
        }
        rows.push_back(
            action->isSeparator()
                ? separatorRow
                : Row{action->text(), action->shortcut().toString(QKeySequence::NativeText),
                      action->isEnabled(), action->isCheckable() && action->isChecked()});
    }
    return rows;
}

QAction* actionNamed(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}

class TrayMenuTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    test::FakeSoftwareUpdater fakeUpdater;
    UpdaterController updater{fakeUpdater};
    int pickers = 0, settings = 0, permissionPages = 0, welcomes = 0, quits = 0;
    TrayMenu::Actions actions{[this] { ++pickers; }, [this] { ++settings; },
                              [this] { ++permissionPages; }, [this] { ++welcomes; },
                              [this] { ++quits; }};
};

TEST_F(TrayMenuTest, MenuFollowsTheStoreAndTheUpdaterAtOnce) {
    TrayMenu tray(state, updater, actions);
    QMenu& menu = tray.menu();
    EXPECT_EQ(menuRows(menu), expectedMenu(true, false, false));

    // The updater's value, the first included, arrives on a later turn of the main loop,
    // and the menu follows.
    fakeUpdater.canCheck = true;
    updater.start();
    EXPECT_EQ(fakeUpdater.starts, 1);
    EXPECT_EQ(menuRows(menu), expectedMenu(true, false, false));
    QCoreApplication::processEvents();
    EXPECT_EQ(menuRows(menu), expectedMenu(true, false, true));

    state.setAccessibilityGranted(true);
    state.setMasterEnabled(false);
    EXPECT_EQ(menuRows(menu), expectedMenu(false, true, true));
    // Several values in one turn arrive in order: the last one holds.
    fakeUpdater.setCanCheck(false);
    fakeUpdater.setCanCheck(true);
    fakeUpdater.setCanCheck(false);
    EXPECT_EQ(menuRows(menu), expectedMenu(false, true, true));
    QCoreApplication::processEvents();
    EXPECT_EQ(menuRows(menu), expectedMenu(false, true, false));
    // Granted keys, but no caret: the bus is off.
    state.setCaretTracking(view::CaretTracking::Off);
    EXPECT_EQ(menuRows(menu), expectedMenu(false, true, false, true));
}

TEST_F(TrayMenuTest, EachItemDoesItsOwnThing) {
    TrayMenu tray(state, updater, actions);
    QMenu& menu = tray.menu();
    updater.start();
    fakeUpdater.setCanCheck(true);
    QCoreApplication::processEvents();

    actionNamed(menu, "Show Picker")->trigger();
    actionNamed(menu, "Settings")->trigger();
    actionNamed(menu, "Welcome Guide")->trigger();
    EXPECT_EQ(std::tie(pickers, settings, welcomes, quits), std::tuple(1, 1, 1, 0));

    test::UrlRecorder browser("https");
    actionNamed(menu, QString::fromUtf8("Orlen's newsletter\u2026"))->trigger();
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.front(), AppLinks::newsletter());

    actionNamed(menu, QString::fromUtf8("Check for Updates\u2026"))->trigger();
    EXPECT_EQ(fakeUpdater.checks, 1);

    // Toggling from the menu saves at once and redraws the menu under the item just used.
    actionNamed(menu, "Enabled")->trigger();
    EXPECT_FALSE(state.masterEnabled());
    EXPECT_EQ(defaults.boolValue("masterEnabled"), false);
    EXPECT_FALSE(actionNamed(menu, "Enabled")->isChecked());
    actionNamed(menu, "Enabled")->trigger();
    EXPECT_TRUE(state.masterEnabled());
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
        const int requestsBefore = trust.requests;
        const int pagesBefore = permissionPages;
        actionNamed(menu, "Grant Accessibility")->trigger();
        EXPECT_EQ(trust.requests - requestsBefore, c.requests);
        EXPECT_EQ(permissionPages - pagesBefore, c.pages);
        QCoreApplication::processEvents();
    }
    actionNamed(menu, "Quit Tiklo")->trigger();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(std::tie(pickers, settings, welcomes), std::tuple(1, 1, 1));
}

} // namespace
} // namespace tiklo
