// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.Theme

// Mutually exclusive segments side by side; the chosen one is filled. Left and Right move
// the choice when it has the keyboard focus.
Rectangle {
    id: root

    property var titles: []
    property int currentIndex: 0

    signal activated(int index)

    implicitWidth: 130
    implicitHeight: 26
    radius: 7
    color: Theme.field
    border.width: 1
    border.color: Theme.borderStrong
    activeFocusOnTab: true

    Accessible.role: Accessible.PageTabList

    function choose(index) {
        if (index >= 0 && index < titles.length && index !== currentIndex)
            activated(index)
    }

    Keys.onLeftPressed: choose(currentIndex - 1)
    Keys.onRightPressed: choose(currentIndex + 1)

    RowLayout {
        anchors.fill: parent
        anchors.margins: 2
        spacing: 2

        Repeater {
            model: root.titles

            Rectangle {
                id: segment
                required property string modelData
                required property int index
                readonly property bool chosen: segment.index === root.currentIndex
                objectName: "segment_" + segment.modelData
                Layout.fillWidth: true
                Layout.fillHeight: true
                radius: 5
                color: chosen ? Theme.accentSoft : "transparent"

                Accessible.role: Accessible.PageTab
                Accessible.name: segment.modelData
                Accessible.selected: segment.chosen
                Accessible.onPressAction: root.choose(segment.index)

                Text {
                    anchors.centerIn: parent
                    text: segment.modelData
                    color: segment.chosen ? Theme.accent : Theme.textSecondary
                    font.family: Theme.fontFamily
                    font.pointSize: Theme.pt(12)
                    font.weight: segment.chosen ? Font.DemiBold : Font.Normal
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: root.choose(segment.index)
                }
            }
        }
    }

    FocusRing {
        target: root
    }
}
