// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import QtQuick.Templates as T
import Tiklo.Theme

// A settings page: a vertical stack padded 20 and spaced 16 in a scroll view with a visible
// scroll bar. The page scrolls to whatever control the keyboard moves to.
Flickable {
    id: root

    default property alias content: column.data

    clip: true
    contentWidth: width
    contentHeight: column.implicitHeight + 2 * padding
    boundsBehavior: Flickable.StopAtBounds
    readonly property real padding: 20

    ColumnLayout {
        id: column
        x: root.padding
        y: root.padding
        width: root.width - 2 * root.padding - scrollBar.width
        spacing: 16
    }

    T.ScrollBar.vertical: T.ScrollBar {
        id: scrollBar
        objectName: "pageScrollBar"
        policy: T.ScrollBar.AlwaysOn
        implicitWidth: 10
        padding: 2
        contentItem: Rectangle {
            implicitWidth: 6
            radius: 3
            color: Theme.borderStrong
            opacity: scrollBar.size < 1 ? 1 : 0
        }
    }

    Connections {
        target: root.Window.window
        function onActiveFocusItemChanged() {
            const item = root.Window.window ? root.Window.window.activeFocusItem : null
            if (!item)
                return
            let inside = false
            for (let parent = item; parent; parent = parent.parent) {
                if (parent === column) {
                    inside = true
                    break
                }
            }
            if (!inside)
                return
            const top = item.mapToItem(column, 0, 0).y + root.padding
            const bottom = top + item.height
            if (top - root.padding < root.contentY)
                root.contentY = Math.max(0, top - root.padding)
            else if (bottom + root.padding > root.contentY + root.height)
                root.contentY = Math.min(root.contentHeight - root.height,
                                         bottom + root.padding - root.height)
        }
    }
}
