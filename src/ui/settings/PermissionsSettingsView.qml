// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.App
import Tiklo.Theme

// The settings page on what this desktop lets Tiklo do: reach the keys of other
// applications (an X11 session gives it; under Wayland only X11 applications), find their
// carets (the desktop's accessibility bus, which "Grant" switches on), and search inside
// fcitx5 through Tiklo's addon. It follows the store's live states and runs no timer of its
// own.
SettingsPage {
    id: root
    objectName: "permissionsSettingsView"

    required property AppState appState

    readonly property bool keysGranted: appState.accessibilityGranted
    readonly property int caretTracking: appState.caretTracking

    SectionHeader {
        objectName: "permissionsHeader"
        title: qsTr("Permissions")
        subtitle: qsTr("Key access lets Tiklo watch for ; and inject emoji; the accessibility bus shows it where the caret is.")
    }

    Card {
        objectName: "permissionCard"

        ColumnLayout {
            width: parent.width
            spacing: 12

            SettingRow {
                id: keyRow
                objectName: "keyAccessRow"
                title: qsTr("Key access")
                subtitle: !root.keysGranted
                          ? qsTr("Required for semicolon search and direct insertion. This display does not offer it: Tiklo needs an X11 session.")
                          : root.appState.x11ApplicationsOnly
                            ? qsTr("Granted for X11 apps only: in this Wayland session, keys typed into Wayland apps never reach Tiklo.")
                            : qsTr("Granted. Semicolon search can work in other apps.")

                SymbolIcon {
                    objectName: "keyAccessCheck"
                    visible: root.keysGranted
                    name: "checkmark.circle.fill"
                    color: Theme.green
                    size: 13
                }
            }

            Rectangle {
                Layout.fillWidth: true
                implicitHeight: 1
                color: Theme.border
            }

            SettingRow {
                objectName: "caretTrackingRow"
                title: qsTr("Caret tracking")
                subtitle: {
                    switch (root.caretTracking) {
                    case Tiklo.On:
                        return root.appState.caretTrackingNeedsRestart
                                ? qsTr("On. Applications started before it was switched on report their caret after a restart.")
                                : qsTr("On. The popup opens at the caret of applications that report it.")
                    case Tiklo.Off:
                        return qsTr("Off. The popup opens near the mouse pointer, and password fields are not recognised. Applications started before it is switched on need a restart to report their caret.")
                    case Tiklo.Unavailable:
                        return qsTr("This desktop has no accessibility bus (the at-spi2-core package provides it). The popup opens near the mouse pointer.")
                    default:
                        return qsTr("Asking the desktop's accessibility bus…")
                    }
                }

                Row {
                    SymbolIcon {
                        objectName: "caretTrackingCheck"
                        visible: root.caretTracking === Tiklo.On
                        name: "checkmark.circle.fill"
                        color: Theme.green
                        size: 13
                    }
                    PillButton {
                        objectName: "grantButton"
                        visible: root.caretTracking === Tiklo.Off
                        title: qsTr("Grant")
                        prominent: true
                        // The page changes only when the bus says it is on.
                        onClicked: root.appState.requestAccessibility()
                    }
                }
            }

            Rectangle {
                Layout.fillWidth: true
                implicitHeight: 1
                color: Theme.border
            }

            SettingRow {
                id: inputMethodRow
                objectName: "inputMethodRow"
                readonly property int search: root.appState.inputMethodSearch
                title: qsTr("Semicolon search through fcitx5")
                subtitle: {
                    switch (search) {
                    case Tiklo.On:
                        return qsTr("On. In the fields fcitx5 serves, Wayland apps too, the search runs inside fcitx5.")
                    case Tiklo.Off:
                        return qsTr("Off. Tiklo's addon is installed, but fcitx5 is not running or has not loaded it: restart fcitx5.")
                    case Tiklo.NotInstalled:
                        return qsTr("Not installed. The tiklo-fcitx5 package brings semicolon search to Wayland apps through fcitx5.")
                    default:
                        return qsTr("Asking fcitx5…")
                    }
                }

                SymbolIcon {
                    objectName: "inputMethodCheck"
                    visible: inputMethodRow.search === Tiklo.On
                    name: "checkmark.circle.fill"
                    color: Theme.green
                    size: 13
                }
            }

            Rectangle {
                Layout.fillWidth: true
                implicitHeight: 1
                color: Theme.border
            }

            SettingRow {
                id: ibusRow
                objectName: "ibusRow"
                readonly property int search: root.appState.ibusSearch
                title: qsTr("Semicolon search through IBus")
                subtitle: {
                    switch (search) {
                    case Tiklo.On:
                        return qsTr("On. In the fields IBus serves, GNOME's Wayland apps too, the search runs inside IBus.")
                    case Tiklo.Off:
                        return qsTr("Off. Another input source is active: choose Tiklo under Settings → Keyboard → Input Sources.")
                    case Tiklo.NotInstalled:
                        return qsTr("Not installed. The tiklo-ibus package brings semicolon search to GNOME through IBus.")
                    default:
                        return qsTr("Asking IBus…")
                    }
                }

                SymbolIcon {
                    objectName: "ibusCheck"
                    visible: ibusRow.search === Tiklo.On
                    name: "checkmark.circle.fill"
                    color: Theme.green
                    size: 13
                }
            }
        }
    }

    Card {
        objectName: "explanationCard"

        ColumnLayout {
            spacing: 10

            Text {
                objectName: "explanationTitle"
                text: qsTr("How semicolon search works")
                color: Theme.textPrimary
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(13)
                font.weight: Font.DemiBold
            }
            SemicolonSearchExample {
                objectName: "semicolonExample"
                emojiSize: 22
            }
        }
    }
}
