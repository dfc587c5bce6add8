// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts

// A titled row with an optional wrapping explanation and a control at its trailing end.
Item {
    id: root

    property string title
    property string subtitle
    default property alias trailing: trailingSlot.data

    Layout.fillWidth: true
    implicitWidth: row.implicitWidth
    implicitHeight: row.implicitHeight + 8

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.topMargin: 4
        anchors.bottomMargin: 4
        spacing: 12

        ColumnLayout {
            id: texts
            objectName: "settingRowTexts"
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: 3

            Text {
                objectName: "settingRowTitle"
                Layout.fillWidth: true
                text: root.title
                color: Theme.textPrimary
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(13)
                font.weight: Font.Medium
                elide: Text.ElideRight
            }
            Text {
                objectName: "settingRowSubtitle"
                Layout.fillWidth: true
                visible: root.subtitle !== ""
                text: root.subtitle
                color: Theme.textSecondary
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(11.5)
                // Never cut off: the row grows instead.
                wrapMode: Text.Wrap
            }
        }
        // The least room between the texts and the trailing control.
        Item {
            Layout.preferredWidth: 16
            Layout.minimumWidth: 16
        }
        Item {
            id: trailingSlot
            objectName: "settingRowTrailing"
            Layout.alignment: Qt.AlignVCenter
            implicitWidth: childrenRect.width
            implicitHeight: childrenRect.height
        }
    }
}
