// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.Theme

// One emoji of the full picker's grid: the emoji over its shortcode. A click inserts it; a
// right click asks for the context menu.
Item {
    id: root

    // {id, emoji, label, wide, kind, favorite}, as the picker's content gives it.
    required property var item
    // A kaomoji's tile: a third of the row.
    property real wideWidth: 144
    property bool selected: false
    readonly property bool hovering: mouseArea.containsMouse

    signal insertRequested(bool keepOpen)
    // A right click: the picker shows its one context menu for this tile.
    signal contextMenuRequested

    implicitWidth: item.wide ? wideWidth : 48
    implicitHeight: 48

    Accessible.role: Accessible.Button
    Accessible.name: root.item.label
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
            width: root.width - 8
            height: 30
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: root.item.emoji
            font.family: root.item.kind === "emoji" ? Theme.emojiFamily : Theme.fontFamily
            font.pointSize: Theme.pt(root.item.wide ? 13 : 24)
            elide: Text.ElideRight
        }
        Text {
            objectName: "tileShortcode"
            anchors.horizontalCenter: parent.horizontalCenter
            width: root.width - 6
            horizontalAlignment: Text.AlignHCenter
            text: root.item.label
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
