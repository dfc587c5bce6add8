// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.App
import Tiklo.Theme

// The settings window's content: the sidebar with the program's badge, the pages and the
// live status, and the page chosen there. Every page is made anew when it is chosen, so
// nothing half-typed outlives a change of page.
Rectangle {
    id: root
    objectName: "settingsRootView"

    required property AppState appState
    required property QtObject backend
    // The page shown; the window is reused, so it stays as the user left it.
    property string tab: SettingsTab.library

    readonly property real sidebarWidth: 208
    readonly property string statusText: !appState.accessibilityGranted
                                         ? qsTr("Needs permission")
                                         : appState.masterEnabled ? qsTr("Active") : qsTr("Off")
    readonly property color statusColor: !appState.accessibilityGranted
                                         ? Theme.amber
                                         : appState.masterEnabled ? Theme.green : Theme.textTertiary

    color: Theme.bg

    // Closing the window ends a recording as leaving the page does.
    Connections {
        target: root.Window.window
        function onVisibleChanged() {
            if (!root.Window.window.visible)
                root.backend.recorder.stop()
        }
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        Rectangle {
            id: sidebar
            objectName: "settingsSidebar"
            Layout.preferredWidth: root.sidebarWidth
            Layout.minimumWidth: root.sidebarWidth
            Layout.maximumWidth: root.sidebarWidth
            Layout.fillHeight: true
            color: Theme.sidebar

            ColumnLayout {
                anchors.fill: parent
                spacing: 0

                RowLayout {
                    objectName: "settingsBadge"
                    Layout.fillWidth: true
                    Layout.leftMargin: 16
                    Layout.rightMargin: 16
                    // The window manager draws the title bar above the content, not over it:
                    // the badge needs no room for one.
                    Layout.topMargin: 16
                    Layout.bottomMargin: 24
                    spacing: 9

                    ProgramMark {
                        objectName: "programMark"
                    }
                    Column {
                        Layout.fillWidth: true
                        spacing: 0
                        Text {
                            objectName: "badgeTitle"
                            text: qsTr("Tiklo")
                            color: Theme.textPrimary
                            font.family: Theme.fontFamily
                            font.pointSize: Theme.pt(14)
                            font.weight: Font.DemiBold
                        }
                        Text {
                            objectName: "badgeSubtitle"
                            text: qsTr("Emoji picker")
                            color: Theme.textTertiary
                            font.family: Theme.fontFamily
                            font.pointSize: Theme.pt(10.5)
                        }
                    }
                }

                SectionLabel {
                    objectName: "sidebarLabel"
                    title: qsTr("Settings")
                    Layout.leftMargin: 18
                    Layout.rightMargin: 18
                    Layout.bottomMargin: 8
                }

                Repeater {
                    objectName: "sidebarItems"
                    model: SettingsTab.all

                    SidebarItem {
                        id: entry
                        required property string modelData
                        objectName: "sidebarItem_" + entry.modelData
                        title: SettingsTab.title(entry.modelData)
                        symbol: SettingsTab.symbol(entry.modelData)
                        selected: root.tab === entry.modelData
                        onClicked: root.tab = entry.modelData
                    }
                }

                Item {
                    Layout.fillHeight: true
                }

                ColumnLayout {
                    objectName: "statusBlock"
                    Layout.fillWidth: true
                    Layout.margins: 16
                    spacing: 10

                    RowLayout {
                        spacing: 6
                        Rectangle {
                            objectName: "statusDot"
                            implicitWidth: 7
                            implicitHeight: 7
                            radius: 3.5
                            color: root.statusColor
                        }
                        Text {
                            objectName: "statusText"
                            text: root.statusText
                            color: root.statusColor
                            font.family: Theme.fontFamily
                            font.pointSize: Theme.pt(11)
                            font.weight: Font.Medium
                        }
                    }
                    ColumnLayout {
                        spacing: 3
                        StatLine {
                            objectName: "emojiIndexedStat"
                            value: root.backend.emojiCount
                            label: qsTr("emoji indexed")
                        }
                        StatLine {
                            objectName: "undrawableStat"
                            visible: root.backend.undrawableCount > 0
                            value: root.backend.undrawableCount
                            label: qsTr("left out: not in the emoji font")
                        }
                        StatLine {
                            objectName: "undrawableTextStat"
                            visible: root.backend.undrawableTextCount > 0
                            value: root.backend.undrawableTextCount
                            label: qsTr("symbols and kaomoji left out: no font draws them")
                        }
                        StatLine {
                            objectName: "recentPicksStat"
                            value: root.appState.recents.length
                            label: qsTr("recent picks")
                        }
                        StatLine {
                            objectName: "favoritesStat"
                            value: root.appState.favorites.length
                            label: qsTr("favorites")
                        }
                    }
                }
            }
        }

        Rectangle {
            Layout.preferredWidth: 1
            Layout.fillHeight: true
            color: Theme.border
        }

        Loader {
            id: page
            objectName: "settingsPage"
            Layout.fillWidth: true
            Layout.fillHeight: true
            sourceComponent: {
                switch (root.tab) {
                case SettingsTab.behavior:
                    return behaviorPage
                case SettingsTab.exceptions:
                    return exceptionsPage
                case SettingsTab.permissions:
                    return permissionsPage
                }
                return libraryPage
            }
        }
    }

    Component {
        id: libraryPage
        LibrarySettingsView {
            appState: root.appState
            backend: root.backend
        }
    }
    Component {
        id: behaviorPage
        BehaviorSettingsView {
            appState: root.appState
            backend: root.backend
        }
    }
    Component {
        id: exceptionsPage
        ExceptionsSettingsView {
            appState: root.appState
            backend: root.backend
        }
    }
    Component {
        id: permissionsPage
        PermissionsSettingsView {
            appState: root.appState
        }
    }
}
