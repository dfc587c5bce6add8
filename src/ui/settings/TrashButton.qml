// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.Theme

// A bare trash symbol that removes what it stands beside.
Item {
    id: root

    property real radius: 5

    signal clicked

    implicitWidth: icon.width + 8
    implicitHeight: icon.height + 8
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.onPressAction: root.clicked()

    SymbolIcon {
        id: icon
        anchors.centerIn: parent
        name: "trash"
        color: Theme.red
        size: 12
    }
    FocusRing {
        target: root
    }
    MouseArea {
        anchors.fill: parent
        onClicked: root.clicked()
    }
    Keys.onPressed: event => {
        if ((event.key === Qt.Key_Space || event.key === Qt.Key_Return
             || event.key === Qt.Key_Enter) && !event.isAutoRepeat) {
            root.clicked()
            event.accepted = true
        }
    }
}
