// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.Session
import Tiklo.Theme

// One result of the inline popup: the emoji, its name with the query set apart, and at its
// end either the Ctrl+digit badge or, when highlighted, the shortcode to be inserted.
Rectangle {
    id: row

    required property PickerSession session
    required property int index
    required property string emoji
    required property string name
    required property string shortcode
    // Styled text, made by the model.
    required property string highlightedName
    required property bool supportsSkinTone
    // "emoji", "symbol" or "kaomoji"; "group" for the row that opens a group in the full picker.
    required property string kind

    // Asks for the row's menu (the tones of an emoji that takes one) at a point of the row.
    signal menuRequested(real x, real y)

    readonly property bool selected: index === session.selectedIndex
    readonly property bool hovering: mouseArea.containsMouse
    readonly property bool showsCommandBadge: session.commandHeld && index < 9

    implicitHeight: 30
    radius: 7
    color: selected ? Theme.accentSoft : hovering ? Theme.selectionHover : "transparent"
    border.width: 1
    border.color: selected ? Qt.rgba(Theme.accent.r, Theme.accent.g, Theme.accent.b,
                                      0.5) : "transparent"

    Accessible.role: Accessible.ListItem
    Accessible.name: name
    Accessible.selected: selected

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        spacing: 10

        Text {
            objectName: "rowEmoji"
            // A kaomoji is a line of text, as wide as it is, up to half the row.
            Layout.preferredWidth: row.kind === "kaomoji" ? Math.min(implicitWidth, row.width / 2)
                                                          : 28
            Layout.preferredHeight: 26
            text: row.emoji
            font.family: row.kind === "emoji" ? Theme.emojiFamily : Theme.fontFamily
            font.pointSize: Theme.pt(row.kind === "kaomoji" ? 13 : 19)
            elide: Text.ElideRight
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        Text {
            objectName: "rowName"
            Layout.fillWidth: true
            textFormat: Text.StyledText
            text: row.highlightedName
            color: Theme.textPrimary
            font.family: Theme.fontFamily
            font.pointSize: Theme.pt(13)
            font.weight: Font.Medium
            maximumLineCount: 1
            elide: Text.ElideRight
        }
        Rectangle {
            objectName: "commandBadge"
            visible: row.showsCommandBadge
            implicitWidth: badgeText.implicitWidth + 10
            implicitHeight: badgeText.implicitHeight + 4
            radius: 4
            color: Theme.field

            Text {
                id: badgeText
                objectName: "commandBadgeText"
                anchors.centerIn: parent
                text: PickerShortcuts.insertAt(row.index + 1)
                color: Theme.textSecondary
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(10)
                font.weight: Font.Medium
            }
        }
        Row {
            objectName: "selectedTrailing"
            visible: !row.showsCommandBadge && row.selected
            spacing: 4

            Text {
                objectName: "selectedShortcode"
                // Only emoji have shortcodes people type; the others' ids are Tiklo's own.
                visible: row.kind === "emoji"
                anchors.verticalCenter: parent.verticalCenter
                text: ":" + row.shortcode + ":"
                color: Theme.accent
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(10.5)
                font.weight: Font.Medium
                maximumLineCount: 1
            }
            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                name: "return"
                color: Theme.accent
                size: 10
            }
        }
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        // Hovering only shows the row as hovered; it does not move the highlight.
        onClicked: mouse => {
            if (mouse.button === Qt.RightButton) {
                if (row.supportsSkinTone)
                    row.menuRequested(mouse.x, mouse.y)
            } else {
                row.session.insertAt(row.index, false)
            }
        }
    }

    ThemedToolTip {
        objectName: "rowToolTip"
        parent: row
        visible: row.hovering
        delay: 800
        text: row.kind === "emoji" ? ":" + row.shortcode + ":" : row.name
        x: mouseArea.mouseX
        y: row.height + 2
    }
}
