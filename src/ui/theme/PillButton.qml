// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts

// A rounded button with a title and an optional symbol; prominent ones are filled with the
// accent and look the same hovered or not.
Rectangle {
    id: root

    property string title
    property string icon
    property bool prominent: false
    property bool destructive: false
    readonly property bool hovering: mouseArea.containsMouse
    readonly property color contentColor: prominent ? "white" : destructive ? Theme.red
                                                                            : Theme.textPrimary

    signal clicked

    implicitWidth: label.implicitWidth + 24
    implicitHeight: label.implicitHeight + 12
    radius: 7
    color: prominent ? Theme.accent : hovering ? Theme.cardHover : Theme.field
    border.width: 1
    border.color: prominent ? "transparent" : Theme.borderStrong
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: title
    Accessible.onPressAction: root.clicked()

    RowLayout {
        id: label
        anchors.centerIn: parent
        spacing: 5

        SymbolIcon {
            visible: root.icon !== ""
            name: root.icon
            color: root.contentColor
            size: 11
        }
        Text {
            objectName: "pillButtonTitle"
            text: root.title
            color: root.contentColor
            font.family: Theme.fontFamily
            font.pointSize: Theme.pt(12)
            font.weight: Font.Medium
        }
    }

    FocusRing {
        target: root
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
        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.clicked()
    }
}
