// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.App
import Tiklo.Theme

// How Tiklo behaves. Every control writes straight to the store, which saves the value and
// has the services around it act on it (the hotkey registered, the login item changed).
SettingsPage {
    id: root
    objectName: "behaviorSettingsView"

    required property AppState appState
    required property QtObject backend

    SectionHeader {
        title: qsTr("Behavior")
        subtitle: qsTr("picker shortcut, semicolon search and insertion style.")
    }

    Card {
        objectName: "behaviorCard"
        ColumnLayout {
            width: parent.width
            spacing: 12

            SettingRow {
                objectName: "masterEnabledRow"
                title: qsTr("Tiklo enabled")
                subtitle: qsTr("Controls semicolon search and picker insertion.")
                AccentToggle {
                    objectName: "masterEnabledToggle"
                    animated: !root.backend.reduceMotion
                    Accessible.name: qsTr("Tiklo enabled")
                    isOn: root.appState.masterEnabled
                    onToggled: root.appState.masterEnabled = isOn
                }
            }
            Divider {}
            SettingRow {
                objectName: "launchAtLoginRow"
                title: qsTr("Launch at login")
                subtitle: qsTr("Start Tiklo automatically when you log in.")
                AccentToggle {
                    objectName: "launchAtLoginToggle"
                    animated: !root.backend.reduceMotion
                    Accessible.name: qsTr("Launch at login")
                    isOn: root.appState.launchAtLogin
                    // A change the system refuses comes back from the store at once.
                    onToggled: root.appState.launchAtLogin = isOn
                }
            }
            Divider {}
            SettingRow {
                objectName: "pickerShortcutRow"
                title: qsTr("Picker shortcut")
                // A shortcut another program holds is said here until the next recording.
                subtitle: root.backend.recorder.refusal !== "" ? root.backend.recorder.refusal
                                                                : qsTr("Opens the floating emoji picker anywhere.")
                HotkeyRecorderView {
                    objectName: "hotkeyRecorder"
                    recorder: root.backend.recorder
                    hotkeyDisplay: root.appState.hotkeyDisplay
                }
            }
            Divider {}
            SettingRow {
                objectName: "typedTriggerRow"
                title: qsTr("Typed trigger")
                subtitle: qsTr("Type ; anywhere to open search, then use arrows and Return.")
                // Always the semicolon: the page offers no way to change the prefix.
                KeyChip {
                    objectName: "typedTriggerChip"
                    text: ";"
                }
            }
            Divider {}
            SettingRow {
                objectName: "trailingSpaceRow"
                title: qsTr("Insert trailing space")
                subtitle: qsTr("Adds a space after emoji inserted from semicolon search and picker.")
                AccentToggle {
                    objectName: "trailingSpaceToggle"
                    animated: !root.backend.reduceMotion
                    Accessible.name: qsTr("Insert trailing space")
                    isOn: root.appState.insertSpaceAfterTrigger
                    onToggled: root.appState.insertSpaceAfterTrigger = isOn
                }
            }
        }
    }

    Card {
        objectName: "appearanceCard"
        ColumnLayout {
            width: parent.width
            spacing: 12

            SettingRow {
                objectName: "pickerStyleRow"
                title: qsTr("Picker style")
                SegmentedControl {
                    objectName: "pickerStyleControl"
                    Accessible.name: qsTr("Picker style")
                    titles: [qsTr("Grid"), qsTr("List")]
                    currentIndex: root.appState.pickerMode
                    onActivated: index => root.appState.pickerMode = index
                }
            }
            Divider {}
            SettingRow {
                objectName: "skinToneRow"
                title: qsTr("Default skin tone")
                ThemedComboBox {
                    objectName: "skinToneMenu"
                    Accessible.name: qsTr("Default skin tone")
                    model: root.backend.skinToneTitles
                    currentIndex: root.appState.defaultSkinTone
                    onActivated: index => root.appState.defaultSkinTone = index
                }
            }
        }
    }
}
