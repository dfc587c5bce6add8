// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.App
import Tiklo.Theme

// The applications in which semicolon search stays off, by application id: added by hand
// or as the application the user came from, removed with their trash button.
SettingsPage {
    id: root
    objectName: "exceptionsSettingsView"

    required property AppState appState
    required property QtObject backend

    function add() {
        if (backend.addException(field.text))
            field.text = ""
    }

    SectionHeader {
        title: qsTr("Exceptions")
        subtitle: qsTr("Disable semicolon search in apps where ; has a special meaning.")
    }

    Card {
        objectName: "exceptionsCard"
        ColumnLayout {
            width: parent.width
            spacing: 12

            RowLayout {
                Layout.fillWidth: true
                spacing: 8

                ThemedTextField {
                    id: field
                    objectName: "exceptionField"
                    Layout.fillWidth: true
                    // An application id as the desktop names it, shown as it is.
                    placeholder: "com.example.App"
                    mono: true
                    Accessible.name: qsTr("Application id")
                }
                PillButton {
                    objectName: "addExceptionButton"
                    title: qsTr("Add")
                    prominent: true
                    onClicked: root.add()
                }
                PillButton {
                    objectName: "currentAppButton"
                    title: qsTr("Current App")
                    icon: "scope"
                    onClicked: root.backend.addCurrentAppException()
                }
            }

            Text {
                objectName: "noExceptionsText"
                Layout.fillWidth: true
                visible: root.appState.excludedAppIDs.length === 0
                text: qsTr("No excluded apps.")
                color: Theme.textTertiary
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(11.5)
                horizontalAlignment: Text.AlignLeft
            }

            Repeater {
                objectName: "exceptionRepeater"
                model: root.appState.excludedAppIDs

                ColumnLayout {
                    id: entry
                    required property string modelData
                    objectName: "exceptionEntry"
                    Layout.fillWidth: true
                    spacing: 12

                    Divider {}
                    RowLayout {
                        Layout.fillWidth: true
                        Text {
                            objectName: "exceptionID"
                            Layout.fillWidth: true
                            text: entry.modelData
                            color: Theme.textPrimary
                            font.family: Theme.monoFamily
                            font.pointSize: Theme.pt(12)
                            font.weight: Font.Medium
                            elide: Text.ElideMiddle
                        }
                        TrashButton {
                            objectName: "removeExceptionButton"
                            Accessible.name: qsTr("Remove %1").arg(entry.modelData)
                            onClicked: root.backend.removeException(entry.modelData)
                        }
                    }
                }
            }
        }
    }
}
