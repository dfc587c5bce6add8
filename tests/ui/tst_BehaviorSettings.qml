// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Tiklo.Settings
import Tiklo.TestSupport

Item {
    id: root
    width: 560
    height: 900

    // The page with a text field beside it, to see where keys go.
    Component {
        id: pageWithField
        Item {
            anchors.fill: parent
            property alias page: page
            property alias field: field
            BehaviorSettingsView {
                id: page
                width: parent.width
                height: parent.height - 40
                appState: Rig.appState
                backend: Rig.backend
            }
            TextInput {
                id: field
                y: parent.height - 30
                width: 200
                height: 20
            }
        }
    }

    TestCase {
        name: "BehaviorSettings"
        when: windowShown

        function init() {
            Rig.reset()
        }
        function makePage() {
            return createTemporaryObject(pageWithField, root).page
        }

        function test_toggles_data() {
            return [
                { tag: "master", toggle: "masterEnabledToggle", property: "masterEnabled" },
                { tag: "trailing space", toggle: "trailingSpaceToggle",
                  property: "insertSpaceAfterTrigger" },
                { tag: "launch at login", toggle: "launchAtLoginToggle", property: "launchAtLogin" }
            ]
        }
        function test_toggles(data) {
            const view = makePage()
            const toggle = findChild(view, data.toggle)
            const state = Rig.appState
            compare(toggle.checked, state[data.property])
            const start = state[data.property]
            // By the pointer, and from elsewhere (the tray menu).
            mouseClick(toggle)
            compare(state[data.property], !start)
            state[data.property] = start
            compare(toggle.checked, start)
        }

        function test_launch_at_login_springs_back_when_refused() {
            const view = makePage()
            const toggle = findChild(view, "launchAtLoginToggle")
            Rig.refuseLoginItem(true)
            mouseClick(toggle)
            compare(Rig.appState.launchAtLogin, false)
            compare(toggle.checked, false)
            compare(Rig.loginItemRegistered, false)
            Rig.refuseLoginItem(false)
            mouseClick(toggle)
            compare(toggle.checked, true)
            compare(Rig.loginItemRegistered, true)
        }

        // The recorder's key handling: the first key ends the recording; with a modifier
        // and not Escape it becomes the shortcut. (Which keys and modifiers are kept, and how
        // they are stored, is the recorder's and the codec's own test.)
        function test_recorder_keys_data() {
            return [
                { tag: "Ctrl+Alt+Space", key: Qt.Key_Space,
                  modifiers: Qt.ControlModifier | Qt.AltModifier, shown: "Ctrl+Alt+Space",
                  stored: '{"keyCode":49,"modifiers":6144}' },
                { tag: "Escape", key: Qt.Key_Escape, modifiers: Qt.NoModifier, shown: "Ctrl+Alt+E",
                  stored: "" }
            ]
        }
        function test_recorder_keys(data) {
            const holder = createTemporaryObject(pageWithField, root)
            const recorder = findChild(holder.page, "hotkeyRecorder")
            const text = findChild(recorder, "hotkeyRecorderText")
            compare(text.text, "Ctrl+Alt+E")
            mouseClick(recorder)
            verify(recorder.recording)
            // The current shortcut is let go meanwhile, so that pressing it is recorded too.
            compare(Rig.grabbedHotkey, "")
            // The key goes nowhere else, whoever has the focus.
            holder.field.forceActiveFocus()
            // Modifiers on their own do not end it.
            keyPress(Qt.Key_Control, Qt.ControlModifier)
            keyRelease(Qt.Key_Control)
            verify(recorder.recording)
            keyClick(data.key, data.modifiers)
            verify(!recorder.recording)
            compare(holder.field.text, "")
            compare(text.text, data.shown)
            compare(Rig.storedHotkey, data.stored)
            // What the system holds is what is shown: the new shortcut works at once, or the
            // old one again.
            compare(Rig.grabbedHotkey, data.shown)
            // Not recording, keys reach the field again.
            keyClick(Qt.Key_X)
            compare(holder.field.text, "x")
        }

        function test_recorder_refuses_a_held_combination() {
            Rig.holdElsewhere(0x20, true, false, true, false) // Ctrl+Shift+Space
            const view = makePage()
            const recorder = findChild(view, "hotkeyRecorder")
            mouseClick(recorder)
            keyClick(Qt.Key_Space, Qt.ControlModifier | Qt.ShiftModifier)
            verify(!recorder.recording)
            compare(findChild(recorder, "hotkeyRecorderText").text, "Ctrl+Alt+E")
            // The row says why, until the next recording.
            const subtitle = findChild(findChild(view, "pickerShortcutRow"), "settingRowSubtitle")
            compare(subtitle.text, "Ctrl+Shift+Space is taken by another program")
            mouseClick(recorder)
            verify(recorder.recording)
            verify(subtitle.text.indexOf("taken") < 0, subtitle.text)
            keyClick(Qt.Key_Escape)
            verify(!recorder.recording)
            compare(Rig.grabbedHotkey, "Ctrl+Alt+E")
            verify(Rig.storedHotkey.indexOf('"keyCode":49') < 0, Rig.storedHotkey)
        }

        function test_recorder_by_keyboard_and_second_press_stops() {
            const view = makePage()
            const recorder = findChild(view, "hotkeyRecorder")
            recorder.forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Return)
            verify(recorder.recording)
            // A click while recording stops it without change.
            mouseClick(recorder)
            verify(!recorder.recording)
            keyClick(Qt.Key_Space)
            verify(recorder.recording)
            // The Space that ends a recording as part of a shortcut starts no new one.
            keyPress(Qt.Key_Space, Qt.ControlModifier | Qt.AltModifier)
            keyPress(Qt.Key_Space, Qt.ControlModifier | Qt.AltModifier, -1)
            keyRelease(Qt.Key_Space, Qt.ControlModifier | Qt.AltModifier)
            verify(!recorder.recording)
            compare(Rig.appState.hotkeyDisplay, "Ctrl+Alt+Space")
        }

        function test_leaving_the_page_stops_recording() {
            const holder = createTemporaryObject(pageWithField, root)
            mouseClick(findChild(holder.page, "hotkeyRecorder"))
            verify(Rig.backend.recorder.recording)
            holder.page.destroy()
            tryVerify(() => !Rig.backend.recorder.recording)
            holder.field.forceActiveFocus()
            keyClick(Qt.Key_E, Qt.ControlModifier)
            keyClick(Qt.Key_Q)
            compare(holder.field.text, "q")
            compare(Rig.appState.hotkeyDisplay, "Ctrl+Alt+E")
        }
    }
}
