// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.Theme

// The program's mark: a rounded square in a diagonal gradient with a smiling face on it.
Item {
    id: root

    readonly property color gradientEnd: Qt.rgba(0.18, 0.38, 0.95, 1)

    implicitWidth: 28
    implicitHeight: 28

    // A canvas: rectangles take only vertical or horizontal gradients.
    Canvas {
        anchors.fill: parent
        onPaint: {
            const context = getContext("2d")
            context.reset()
            const gradient = context.createLinearGradient(0, 0, width, height)
            gradient.addColorStop(0, Theme.accent)
            gradient.addColorStop(1, root.gradientEnd)
            context.fillStyle = gradient
            context.beginPath()
            context.roundedRect(0, 0, width, height, 7, 7)
            context.fill()
        }
    }
    SymbolIcon {
        anchors.centerIn: parent
        name: "face.smiling"
        color: "white"
        size: 13
    }
}
