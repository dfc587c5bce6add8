// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.App
import Tiklo.Session
import Tiklo.Theme

// The default skin tone: a thumbs-up in that tone, opening the menu of the six tones.
Rectangle {
    id: root

    required property AppState appState

    implicitWidth: 28
    implicitHeight: 26
    radius: 7
    color: Theme.field
    border.width: 1
    border.color: activeFocus ? Theme.accent : Theme.borderStrong
    activeFocusOnTab: true

    Accessible.role: Accessible.ButtonMenu
    Accessible.name: qsTr("Skin tone")
    Accessible.onPressAction: toneMenu.popup(root, 0, root.height)
    Keys.onSpacePressed: toneMenu.popup(root, 0, root.height)

    Text {
        objectName: "skinToneSample"
        anchors.centerIn: parent
        text: PickerChoices.toneSample(root.appState.defaultSkinTone)
        font.family: Theme.emojiFamily
        font.pointSize: Theme.pt(16)
    }
    MouseArea {
        anchors.fill: parent
        onClicked: toneMenu.popup(root, 0, root.height)
    }

    ThemedMenu {
        id: toneMenu
        objectName: "skinToneMenu"

        Repeater {
            model: PickerChoices.skinTones

            ThemedMenuItem {
                required property var modelData
                objectName: "tone" + modelData.tone
                text: modelData.title
                // The sample leads; the label's letters fall back to the text face.
                font.family: Theme.emojiFamily
                onTriggered: root.appState.defaultSkinTone = modelData.tone
            }
        }
    }
}
