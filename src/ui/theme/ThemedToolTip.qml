// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T

// A tool tip in the windows' dark look, in a box of its own over whatever it covers.
T.ToolTip {
    id: root

    implicitWidth: implicitContentWidth + leftPadding + rightPadding
    implicitHeight: implicitContentHeight + topPadding + bottomPadding
    padding: 6

    contentItem: Text {
        text: root.text
        color: Theme.textPrimary
        font.family: Theme.fontFamily
        font.pointSize: Theme.pt(11)
    }

    background: Rectangle {
        color: Theme.cardHover
        radius: 5
        border.width: 1
        border.color: Theme.borderStrong
    }
}
