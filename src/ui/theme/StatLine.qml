// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A figure and what it counts, on one line.
Row {
    id: root

    property string value
    property string label

    spacing: 5

    Text {
        objectName: "statLineValue"
        anchors.verticalCenter: parent.verticalCenter
        text: root.value
        color: Theme.textSecondary
        font.family: Theme.monoFamily
        font.pointSize: Theme.pt(11)
        font.weight: Font.DemiBold
    }
    Text {
        objectName: "statLineLabel"
        anchors.verticalCenter: parent.verticalCenter
        text: root.label
        color: Theme.textTertiary
        font.family: Theme.fontFamily
        font.pointSize: Theme.pt(11)
    }
}
