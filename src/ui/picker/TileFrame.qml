// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.Theme

// The fill and inner border of an emoji tile or row: the keyboard selection wins over the
// pointer's hover.
Rectangle {
    property bool selected: false
    property bool hovering: false

    objectName: "tileFrame"
    radius: 8
    color: selected ? Theme.accentSoft : hovering ? Theme.cardHover : Theme.card
    border.width: selected ? 1.5 : 1
    border.color: selected ? Theme.accent : Theme.border
}
