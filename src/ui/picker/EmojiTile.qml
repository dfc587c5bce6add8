// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.Theme

// One emoji of the full picker's grid: the emoji over its shortcode. A click inserts it; a
// right click asks for the context menu.
Item {
    id: root

    // {id, emoji, shortcode, favorite}, as the picker's content gives it.
    required property var item
    property bool selected: false
    readonly property bool hovering: mouseArea.containsMouse

    signal insertRequested(bool keepOpen)
    // A right click: the picker shows its one context menu for this tile.
    signal contextMenuRequested

    implicitWidth: 48
    implicitHeight: 48

    Accessible.role: Accessible.Button
    Accessible.name: root.item.shortcode
    Accessible.onPressAction: root.insertRequested(false)

    TileFrame {
        anchors.fill: parent
        selected: root.selected
        hovering: root.hovering
    }

    Column {
        anchors.centerIn: parent
        spacing: 2

        Text {
            objectName: "tileEmoji"
            width: 40
            height: 30
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: root.item.emoji
            font.family: Theme.emojiFamily
            font.pointSize: Theme.pt(24)
        }
        Text {
            objectName: "tileShortcode"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 42
            horizontalAlignment: Text.AlignHCenter
            text: root.item.shortcode
            color: Theme.textTertiary
            font.family: Theme.fontFamily
            font.pointSize: Theme.pt(8.5)
            font.weight: Font.Medium
            maximumLineCount: 1
            elide: Text.ElideRight
        }
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onClicked: mouse => {
            if (mouse.button === Qt.RightButton)
                root.contextMenuRequested()
            else
                root.insertRequested(false)
        }
    }

}
