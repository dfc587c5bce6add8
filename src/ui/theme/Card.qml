// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts

// A rounded panel holding one piece of content, padded and stretched to the full width.
Rectangle {
    id: root

    property real padding: 16
    default property alias content: container.data

    Layout.fillWidth: true
    implicitWidth: container.childrenRect.width + 2 * padding
    implicitHeight: container.childrenRect.height + 2 * padding
    color: Theme.card
    radius: 10
    border.width: 1
    border.color: Theme.border

    Item {
        id: container
        x: root.padding
        y: root.padding
        width: root.width - 2 * root.padding
        height: childrenRect.height
    }
}
