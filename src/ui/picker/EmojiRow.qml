// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.Theme

// One emoji of the full picker's list: the emoji, its name and shortcode, and a star that
// marks it a favorite. A click anywhere but the star inserts it.
Item {
    id: root

    // {id, emoji, name, shortcode, favorite}, as the picker's content gives it.
    required property var item
    property bool selected: false
    readonly property bool hovering: mouseArea.containsMouse

    signal insertRequested(bool keepOpen)
    signal favoriteToggled

    implicitHeight: content.implicitHeight + 16

    Accessible.role: Accessible.Button
    Accessible.name: root.item.name
    Accessible.onPressAction: root.insertRequested(false)

    TileFrame {
        anchors.fill: parent
        selected: root.selected
        hovering: root.hovering
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.insertRequested(false)
    }

    RowLayout {
        id: content
        anchors.fill: parent
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        anchors.topMargin: 8
        anchors.bottomMargin: 8
        spacing: 12

        Text {
            objectName: "rowEmoji"
            // A kaomoji is a line of text, as wide as it is.
            Layout.preferredWidth: root.item.wide ? implicitWidth : 34
            horizontalAlignment: Text.AlignHCenter
            text: root.item.emoji
            font.family: root.item.kind === "emoji" ? Theme.emojiFamily : Theme.fontFamily
            font.pointSize: Theme.pt(root.item.wide ? 15 : 24)
        }
        Column {
            Layout.fillWidth: true
            spacing: 2

            Text {
                objectName: "rowName"
                width: parent.width
                text: root.item.name
                color: Theme.textPrimary
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(12.5)
                font.weight: Font.Medium
                elide: Text.ElideRight
            }
            Text {
                objectName: "rowShortcode"
                width: parent.width
                // Only emoji have shortcodes people type.
                visible: root.item.kind === "emoji"
                text: ":" + root.item.shortcode + ":"
                color: Theme.accent
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(11)
                font.weight: Font.Medium
                elide: Text.ElideRight
            }
        }
        // Its own button: a click here does not insert.
        Item {
            objectName: "favoriteStar"
            readonly property bool favorite: root.item.favorite
            implicitWidth: star.width + 8
            implicitHeight: star.height + 8

            Accessible.role: Accessible.Button
            Accessible.name: favorite ? qsTr("Remove Favorite") : qsTr("Favorite")
            Accessible.onPressAction: root.favoriteToggled()

            SymbolIcon {
                id: star
                objectName: "favoriteStarIcon"
                anchors.centerIn: parent
                name: parent.favorite ? "star.fill" : "star"
                color: parent.favorite ? Theme.amber : Theme.textTertiary
                size: 12
            }
            MouseArea {
                anchors.fill: parent
                onClicked: root.favoriteToggled()
            }
        }
    }
}
