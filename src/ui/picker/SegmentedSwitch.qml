// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.Theme

// A row of segments of which one is chosen: the grid or the list, the kind of item listed.
Rectangle {
    id: root

    // One map per segment: its `name` (English, for object names), `title` (shown) and the
    // value under `valueKey`.
    required property var choices
    required property string valueKey
    required property int current
    // Object names are this and the segment's name ("layoutGrid").
    property string namePrefix

    signal chose(int value)

    implicitHeight: 24
    radius: 7
    color: Theme.field
    border.width: 1
    border.color: Theme.border

    RowLayout {
        anchors.fill: parent
        anchors.margins: 2
        spacing: 2

        Repeater {
            model: root.choices

            Rectangle {
                id: segment

                required property var modelData
                readonly property int value: modelData[root.valueKey]
                readonly property bool chosen: root.current === value

                objectName: root.namePrefix + modelData.name
                Layout.fillWidth: true
                Layout.fillHeight: true
                radius: 5
                color: chosen ? Theme.cardHover : "transparent"
                border.width: activeFocus ? 1 : 0
                border.color: Theme.accent
                activeFocusOnTab: true

                Accessible.role: Accessible.RadioButton
                Accessible.name: modelData.title
                Accessible.checked: chosen
                Accessible.onPressAction: root.chose(value)
                Keys.onSpacePressed: root.chose(value)

                Text {
                    anchors.centerIn: parent
                    text: segment.modelData.title
                    color: segment.chosen ? Theme.textPrimary : Theme.textSecondary
                    font.family: Theme.fontFamily
                    font.pointSize: Theme.pt(11.5)
                    font.weight: segment.chosen ? Font.DemiBold : Font.Normal
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: root.chose(segment.value)
                }
            }
        }
    }
}
