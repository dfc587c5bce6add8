// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts

// One entry of a settings sidebar: a symbol and a title, highlighted when selected.
Item {
    id: root

    property string title
    property string symbol
    property bool selected: false
    readonly property bool hovering: mouseArea.containsMouse
    readonly property color contentColor: selected ? Theme.textPrimary : Theme.textSecondary

    signal clicked

    Layout.fillWidth: true
    implicitWidth: button.implicitWidth + 16
    implicitHeight: button.implicitHeight + 2
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: title
    Accessible.onPressAction: root.clicked()

    Rectangle {
        id: button
        objectName: "sidebarItemButton"
        anchors.fill: parent
        anchors.leftMargin: 8
        anchors.rightMargin: 8
        anchors.topMargin: 1
        anchors.bottomMargin: 1
        implicitWidth: label.implicitWidth + 20
        implicitHeight: label.implicitHeight + 14
        radius: 7
        color: root.selected ? Theme.selection : root.hovering ? Theme.selectionHover
                                                              : "transparent"

        RowLayout {
            id: label
            anchors.fill: parent
            anchors.leftMargin: 10
            anchors.rightMargin: 10
            spacing: 9

            Item {
                Layout.preferredWidth: 16
                Layout.preferredHeight: icon.height
                SymbolIcon {
                    id: icon
                    anchors.centerIn: parent
                    name: root.symbol
                    color: root.contentColor
                    size: 12
                }
            }
            Text {
                objectName: "sidebarItemTitle"
                text: root.title
                color: root.contentColor
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(12.5)
                font.weight: root.selected ? Font.DemiBold : Font.Normal
            }
            Item {
                Layout.fillWidth: true
            }
        }
    }

    FocusRing {
        target: button
        anchors.fill: button
        anchors.margins: -2
        radius: 9
        visible: root.activeFocus
    }

    // Space and Return press it; a key held down presses it once.
    Keys.onPressed: event => {
        if ((event.key === Qt.Key_Space || event.key === Qt.Key_Return
             || event.key === Qt.Key_Enter) && !event.isAutoRepeat) {
            root.clicked()
            event.accepted = true
        }
    }

    MouseArea {
        id: mouseArea
        anchors.fill: button
        hoverEnabled: true
        onClicked: root.clicked()
    }
}
