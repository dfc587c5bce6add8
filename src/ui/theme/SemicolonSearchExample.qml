// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// Semicolon search in one line, as fixed pictures of keys: ";" then "brain" then Return
// gives 🧠. The texts do not follow the configured prefix; nothing here can be typed into.
Row {
    id: root

    // Point size of the emoji at the end.
    property real emojiSize: 22

    spacing: 8

    component Arrow: SymbolIcon {
        anchors.verticalCenter: parent.verticalCenter
        name: "arrow.right"
        color: Theme.textTertiary
        size: 10
    }

    KeyChip {
        anchors.verticalCenter: parent.verticalCenter
        text: ";"
    }
    Arrow {}
    KeyChip {
        anchors.verticalCenter: parent.verticalCenter
        //: A search word that finds the brain emoji in the user's language.
        text: qsTr("brain")
    }
    Arrow {}
    KeyChip {
        anchors.verticalCenter: parent.verticalCenter
        //: The Return key.
        text: qsTr("Return")
    }
    Arrow {}
    Text {
        objectName: "exampleEmoji"
        anchors.verticalCenter: parent.verticalCenter
        text: "\uD83E\uDDE0" // U+1F9E0 brain
        font.family: Theme.emojiFamily
        font.pointSize: Theme.pt(root.emojiSize)
    }
}
