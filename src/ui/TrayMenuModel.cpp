#include "ui/TrayMenuModel.h"

namespace tiklo {
namespace {

TrayMenuModel::Entry item(TrayMenuModel::Command command, const char16_t* text,
                          const char* shortcut = "") {
    TrayMenuModel::Entry entry;
    entry.command = command;
    entry.text = QString::fromUtf16(text);
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
    menu.push_back(item(Command::showPicker, u"Show Picker", showPickerShortcut));
    menu.push_back(item(Command::settings, u"Settings"));
    menu.push_back(item(Command::welcomeGuide, u"Welcome Guide"));
    menu.push_back(item(Command::newsletter, u"Orlen's newsletter\u2026"));
    Entry updates = item(Command::checkForUpdates, u"Check for Updates\u2026");
    updates.enabled = inputs.canCheckForUpdates;
    menu.push_back(updates);
    menu.push_back(separator());
    Entry enabled = item(Command::toggleEnabled, u"Enabled");
    enabled.checkable = true;
    enabled.checked = inputs.masterEnabled;
    menu.push_back(enabled);
    if (!inputs.accessibilityGranted || inputs.caretTrackingMissing) {
        menu.push_back(item(Command::grantAccessibility, u"Grant Accessibility"));
    }
    menu.push_back(separator());
    menu.push_back(item(Command::quit, u"Quit Tiklo", quitShortcut));
    return menu;
}

} // namespace tiklo
