// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.Theme

// The picker shortcut as a button: pressed, it waits for the next key ("press keys...");
// the key is taken by the recorder, which ends the wait. It stops waiting when it goes.
Rectangle {
    id: root

    required property QtObject recorder
    // The shortcut as shown while not recording.
    property string hotkeyDisplay

    readonly property bool recording: recorder.recording
    // A click gives it the focus too, to take the keys it records; the outline and the ring
    // mark keyboard focus only.
    property bool focusFromClick: false
    readonly property bool keyboardFocus: activeFocus && !focusFromClick

    onActiveFocusChanged: {
        if (!activeFocus)
            focusFromClick = false
    }

    implicitWidth: Math.max(70, label.implicitWidth + 24)
    implicitHeight: label.implicitHeight + 12
    radius: 7
    color: recording ? Theme.accentSoft : Theme.field
    border.width: 1
    border.color: recording || keyboardFocus ? Theme.accent : Theme.borderStrong
    activeFocusOnTab: true

    Accessible.role: Accessible.Button
    Accessible.name: label.text
    Accessible.onPressAction: root.recorder.toggle(root)

    Text {
        id: label
        objectName: "hotkeyRecorderText"
        anchors.centerIn: parent
        text: root.recording ? qsTr("press keys...") : root.hotkeyDisplay
        color: root.recording ? Theme.accent : Theme.textPrimary
        font.family: Theme.monoFamily
        font.pointSize: Theme.pt(12)
        font.weight: Font.Medium
    }

    FocusRing {
        objectName: "hotkeyRecorderFocusRing"
        target: root
        visible: root.keyboardFocus
    }

    MouseArea {
        anchors.fill: parent
        onClicked: {
            root.focusFromClick = root.focusFromClick || !root.activeFocus
            root.forceActiveFocus(Qt.MouseFocusReason)
            root.recorder.toggle(root)
        }
    }

    // Only a plain press starts it: the key that ended a recording, or its repeats, must
    // not start another.
    Keys.onPressed: event => {
        if ((event.key === Qt.Key_Space || event.key === Qt.Key_Return
             || event.key === Qt.Key_Enter) && event.modifiers === Qt.NoModifier
                && !event.isAutoRepeat) {
            root.recorder.toggle(root)
            event.accepted = true
        }
    }

    Component.onDestruction: recorder.stop()
}
