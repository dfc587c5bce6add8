// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick

// The settings window's pages in sidebar order: each by its raw value, with the title and
// the symbol its sidebar entry shows.
QtObject {
    readonly property string library: "library"
    readonly property string behavior: "behavior"
    readonly property string exceptions: "exceptions"
    readonly property string permissions: "permissions"

    readonly property var all: [library, behavior, exceptions, permissions]

    function title(tab) {
        switch (tab) {
        case library:
            return qsTr("Library")
        case behavior:
            return qsTr("Behavior")
        case exceptions:
            return qsTr("Exceptions")
        case permissions:
            return qsTr("Permissions")
        }
        return ""
    }

    function symbol(tab) {
        switch (tab) {
        case library:
            return "face.smiling"
        case behavior:
            return "slider.horizontal.3"
        case exceptions:
            return "nosign"
        case permissions:
            return "lock.shield"
        }
        return ""
    }

    // The tab with that raw value, or "" for any other text.
    function fromRaw(raw) {
        return all.indexOf(raw) >= 0 ? raw : ""
    }
}
