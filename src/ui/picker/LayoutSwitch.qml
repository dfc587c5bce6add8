// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.App
import Tiklo.Session
import Tiklo.Theme

// The two-segment switch between the grid and the list, bound to the stored layout.
Rectangle {
    id: root

    required property AppState appState

    implicitWidth: 112
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
            model: PickerChoices.layouts

            Rectangle {
                id: segment

                required property var modelData
                readonly property bool chosen: root.appState.pickerMode === modelData.mode

                objectName: "layout" + modelData.name
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
                Accessible.onPressAction: root.appState.pickerMode = modelData.mode
                Keys.onSpacePressed: root.appState.pickerMode = modelData.mode

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
                    onClicked: root.appState.pickerMode = segment.modelData.mode
                }
            }
        }
    }
}
