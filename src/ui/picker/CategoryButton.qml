// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.Theme

// One entry of the full picker's category sidebar.
Item {
    id: root

    property string title
    property string icon
    // A character shown in the icon's place (a symbol group's first symbol).
    property string sample
    property bool selected: false
    readonly property bool hovering: mouseArea.containsMouse
    readonly property color contentColor: selected ? Theme.textPrimary : Theme.textSecondary

    signal clicked

    Layout.fillWidth: true
    implicitWidth: content.implicitWidth + 18
    implicitHeight: content.implicitHeight + 14
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: title
    Accessible.onPressAction: root.clicked()
    Keys.onSpacePressed: root.clicked()

    Rectangle {
        objectName: "categoryFill"
        anchors.fill: parent
        radius: 7
        color: root.selected ? Theme.selection : root.hovering ? Theme.selectionHover
                                                              : "transparent"
        border.width: root.activeFocus ? 1 : 0
        border.color: Theme.accent
    }

    RowLayout {
        id: content
        anchors.fill: parent
        anchors.leftMargin: 9
        anchors.rightMargin: 9
        anchors.topMargin: 7
        anchors.bottomMargin: 7
        spacing: 8

        Item {
            Layout.preferredWidth: 15
            implicitHeight: symbol.height

            Text {
                anchors.centerIn: parent
                visible: root.sample !== ""
                text: root.sample
                color: root.contentColor
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(11.5)
            }
            SymbolIcon {
                id: symbol
                anchors.centerIn: parent
                name: root.icon
                color: root.contentColor
                size: 11.5
            }
        }
        Text {
            objectName: "categoryTitle"
            Layout.fillWidth: true
            text: root.title
            color: root.contentColor
            font.family: Theme.fontFamily
            font.pointSize: Theme.pt(12)
            font.weight: root.selected ? Font.DemiBold : Font.Normal
            elide: Text.ElideRight
        }
    }

    MouseArea {
        id: mouseArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.clicked()
    }
}
