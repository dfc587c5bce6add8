// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.Session
import Tiklo.Theme

// The tones one emoji can be shown and typed in, over the default tone, and the way back to
// the default.
ThemedMenu {
    id: menu

    required property PickerSession session
    // The emoji's id, and whether a tone was chosen for it, as the menu opens.
    property string emojiID
    property bool hasOwnTone: false

    function openFor(id, parentItem, x, y) {
        emojiID = id
        hasOwnTone = session.hasOwnSkinTone(id)
        popup(parentItem, x, y)
    }

    objectName: "emojiToneMenu"
    title: qsTr("Skin Tone")

    Repeater {
        model: PickerChoices.skinTones

        ThemedMenuItem {
            required property var modelData
            objectName: "emojiTone" + modelData.tone
            text: modelData.title
            // The sample leads; the label's letters fall back to the text face.
            font.family: Theme.emojiFamily
            onTriggered: menu.session.chooseSkinTone(menu.emojiID, modelData.tone)
        }
    }
    ThemedMenuSeparator {}
    ThemedMenuItem {
        objectName: "useDefaultToneMenuItem"
        text: qsTr("Use Default Tone")
        enabled: menu.hasOwnTone
        onTriggered: menu.session.useDefaultSkinTone(menu.emojiID)
    }
}
