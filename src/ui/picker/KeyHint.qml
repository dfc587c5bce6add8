// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.Theme

// A key and what it does, as shown in the picker's footer. Its key and label texts are
// named after the hint: "<objectName>Key" and "<objectName>Label".
Row {
    id: root

    property string key
    property string label

    spacing: 5

    Rectangle {
        anchors.verticalCenter: parent.verticalCenter
        implicitWidth: keyText.implicitWidth + 10
        implicitHeight: keyText.implicitHeight + 4
        radius: 4
        color: Theme.field

        Text {
            id: keyText
            objectName: root.objectName + "Key"
            anchors.centerIn: parent
            text: root.key
            color: Theme.textSecondary
            font.family: Theme.monoFamily
            font.pointSize: Theme.pt(10)
            font.weight: Font.Medium
        }
    }
    Text {
        objectName: root.objectName + "Label"
        anchors.verticalCenter: parent.verticalCenter
        text: root.label
        color: Theme.textTertiary
        font.family: Theme.fontFamily
        font.pointSize: Theme.pt(10.5)
    }
}
