// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Tiklo.Theme

// A card with a title and up to 30 emoji in rows of 10, each telling its shortcode when
// hovered; the empty text stands in for none. A "Clear" button shows when `clearable` and
// there are emoji.
Card {
    id: root

    property string title
    property var items: []
    property string emptyText
    property bool clearable: false

    signal clearClicked

    readonly property int columns: 10

    ColumnLayout {
        width: parent.width
        spacing: 10

        RowLayout {
            Layout.fillWidth: true
            Text {
                objectName: "miniGridTitle"
                text: root.title
                color: Theme.textPrimary
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(13)
                font.weight: Font.DemiBold
            }
            Item {
                Layout.fillWidth: true
            }
            PillButton {
                objectName: "miniGridClear"
                visible: root.clearable && root.items.length > 0
                title: qsTr("Clear")
                destructive: true
                onClicked: root.clearClicked()
            }
        }
        Text {
            objectName: "miniGridEmpty"
            visible: root.items.length === 0
            text: root.emptyText
            color: Theme.textTertiary
            font.family: Theme.fontFamily
            font.pointSize: Theme.pt(11.5)
        }
        Grid {
            objectName: "miniGridCells"
            visible: root.items.length > 0
            columns: root.columns
            columnSpacing: 8
            rowSpacing: 8

            Repeater {
                objectName: "miniGridRepeater"
                model: root.items

                Rectangle {
                    id: cell
                    required property var modelData
                    readonly property string tooltip: ":" + modelData.shortcode + ":"
                    objectName: "miniGridCell"
                    width: 36
                    height: 36
                    radius: 7
                    color: Theme.field

                    Text {
                        objectName: "miniGridEmoji"
                        anchors.centerIn: parent
                        text: cell.modelData.emoji
                        font.family: Theme.emojiFamily
                        font.pointSize: Theme.pt(23)
                    }
                    property bool showTip: false

                    MouseArea {
                        id: hover
                        anchors.fill: parent
                        hoverEnabled: true
                        acceptedButtons: Qt.NoButton
                        onContainsMouseChanged: {
                            cell.showTip = false
                            if (containsMouse)
                                tipDelay.restart()
                            else
                                tipDelay.stop()
                        }
                    }
                    // The tool tip's own delay leaves it closed under Qt 6.4: timed here.
                    Timer {
                        id: tipDelay
                        objectName: "miniGridTipDelay"
                        interval: 500
                        onTriggered: cell.showTip = true
                    }
                    T.ToolTip {
                        objectName: "miniGridToolTip"
                        visible: cell.showTip
                        text: cell.tooltip
                        padding: 6
                        contentItem: Text {
                            text: cell.tooltip
                            color: Theme.textPrimary
                            font.family: Theme.monoFamily
                            font.pointSize: Theme.pt(11)
                        }
                        background: Rectangle {
                            color: Theme.cardHover
                            radius: 5
                            border.width: 1
                            border.color: Theme.borderStrong
                        }
                    }
                }
            }
        }
    }
}
