// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>
#include <string>

namespace tiklo {

// Tiklo's program on the session bus. Its fcitx5 addon asks it to open the full picker for a
// field of fcitx5; a second launch of the program (`tiklo --picker`, `tiklo --settings`, or
// from the menu) asks it to show the full picker or the settings. The interface is
// addonbus::programInterface.
class ProgramBusObject : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tiklo.Tiklo")
public:
    explicit ProgramBusObject(QObject* parent = nullptr) : QObject(parent) {}

    // For a field's picker: at a tab's group ("symbol", "arrows"), or with both empty as the
    // shortcut opens it.
    std::function<void(const std::string& kind, const std::string& group)> openPicker;
    std::function<void()> showPicker;
    std::function<void()> showSettings;

public slots:
    // The full picker for the input method's field, whose choice goes back through it.
    Q_SCRIPTABLE void OpenPicker();
    // ...at a group of a tab: a row of semicolon search named it.
    Q_SCRIPTABLE void OpenPickerAt(const QString& kind, const QString& group);
    // The full picker as the shortcut opens it, and the settings window.
    Q_SCRIPTABLE void ShowPicker();
    Q_SCRIPTABLE void ShowSettings();

private:
    void later(const std::function<void()>& action);
};

} // namespace tiklo
