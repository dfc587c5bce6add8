// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <vector>

namespace tiklo {

// The tray menu as data: which items it holds, in which order, and in which state, for a
// given state of the settings store and the updater. TrayMenu draws it.
class TrayMenuModel {
    Q_DECLARE_TR_FUNCTIONS(TrayMenuModel)

public:
    enum class Command {
        showPicker,
        settings,
        welcomeGuide,
        newsletter,
        checkForUpdates,
        toggleEnabled,
        grantAccessibility,
        quit,
    };

    struct Entry {
        bool separator = false;
        Command command = Command::quit; // for items
        QString text;
        // The key combination shown beside the item, in the desktop's names ("Ctrl+Q").
        QString shortcut;
        bool enabled = true;
        bool checkable = false;
        bool checked = false;
    };

    struct Inputs {
        bool masterEnabled = true;
        bool accessibilityGranted = false;
        bool canCheckForUpdates = false;
        // No caret to be found: the accessibility bus is off or missing.
        bool caretTrackingMissing = false;
    };

    // "Show Picker" shows this whatever hotkey the user chose: the menu names the shortcut
    // Tiklo ships with.
    static constexpr const char* showPickerShortcut = "Ctrl+Alt+E";
    static constexpr const char* quitShortcut = "Ctrl+Q";

    // Top to bottom; items that are not shown are left out.
    static std::vector<Entry> entries(const Inputs& inputs);
};

} // namespace tiklo
