// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A key or typed word shown as a small accent-coloured chip.
Rectangle {
    property alias text: label.text

    implicitWidth: label.implicitWidth + 14
    implicitHeight: label.implicitHeight + 6
    radius: 5
    color: Theme.accentSoft

    Text {
        id: label
        anchors.centerIn: parent
        color: Theme.accent
        font.family: Theme.monoFamily
        font.pointSize: Theme.pt(11.5)
        font.weight: Font.Medium
    }
}
