// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T

// The rule between groups of a ThemedMenu.
T.MenuSeparator {
    verticalPadding: 4
    horizontalPadding: 6

    contentItem: Rectangle {
        implicitWidth: 170
        implicitHeight: 1
        color: Theme.border
    }
}
