// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TrayMenuModel.h"

namespace tiklo {
namespace {

TrayMenuModel::Entry item(TrayMenuModel::Command command, const QString& text,
                          const char* shortcut = "") {
    TrayMenuModel::Entry entry;
    entry.command = command;
    entry.text = text;
    entry.shortcut = QString::fromLatin1(shortcut);
    return entry;
}

TrayMenuModel::Entry separator() {
    TrayMenuModel::Entry entry;
    entry.separator = true;
    return entry;
}

} // namespace

std::vector<TrayMenuModel::Entry> TrayMenuModel::entries(const Inputs& inputs) {
    std::vector<Entry> menu;
    menu.push_back(item(Command::showPicker, tr("Show Picker"), showPickerShortcut));
    menu.push_back(item(Command::settings, tr("Settings")));
    menu.push_back(item(Command::welcomeGuide, tr("Welcome Guide")));
    menu.push_back(item(Command::newsletter, tr("Orlen's newsletter…")));
    Entry updates = item(Command::checkForUpdates, tr("Check for Updates…"));
    updates.enabled = inputs.canCheckForUpdates;
    menu.push_back(updates);
    menu.push_back(separator());
    Entry enabled = item(Command::toggleEnabled, tr("Enabled"));
    enabled.checkable = true;
    enabled.checked = inputs.masterEnabled;
    menu.push_back(enabled);
    if (!inputs.accessibilityGranted || inputs.caretTrackingMissing) {
        menu.push_back(item(Command::grantAccessibility, tr("Grant Accessibility")));
    }
    menu.push_back(separator());
    menu.push_back(item(Command::quit, tr("Quit Tiklo"), quitShortcut));
    return menu;
}

} // namespace tiklo
