// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T

// A pop-up menu in the windows' dark look: the desktop's palette would draw it as a light
// box over them.
T.Menu {
    id: root

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            contentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             contentHeight + topPadding + bottomPadding)
    padding: 4
    margins: 0
    overlap: 1

    delegate: ThemedMenuItem {}

    contentItem: ListView {
        implicitHeight: contentHeight
        model: root.contentModel
        interactive: Window.window !== null
                     && contentHeight + root.topPadding + root.bottomPadding > Window.window.height
        clip: true
        currentIndex: root.currentIndex
    }

    background: Rectangle {
        implicitWidth: 190
        implicitHeight: 30
        radius: 7
        color: Theme.card
        border.width: 1
        border.color: Theme.borderStrong
    }
}
