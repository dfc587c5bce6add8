// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T

// An entry of a ThemedMenu: greyed while it cannot be chosen, on the accent's soft tint while
// the pointer or the keys are on it.
T.MenuItem {
    id: root

    implicitWidth: Math.max(implicitBackgroundWidth + leftInset + rightInset,
                            implicitContentWidth + leftPadding + rightPadding)
    implicitHeight: Math.max(implicitBackgroundHeight + topInset + bottomInset,
                             implicitContentHeight + topPadding + bottomPadding)
    verticalPadding: 5
    horizontalPadding: 10
    font.family: Theme.fontFamily
    font.pointSize: Theme.pt(12)

    contentItem: Text {
        text: root.text
        font: root.font
        color: root.enabled ? Theme.textPrimary : Theme.textTertiary
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        implicitWidth: 182
        implicitHeight: 26
        radius: 5
        color: root.highlighted && root.enabled ? Theme.accentSoft : "transparent"
    }
}
