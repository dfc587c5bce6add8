// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts

// A small capitalised caption above a group of entries.
Text {
    property string title

    Layout.fillWidth: true
    horizontalAlignment: Text.AlignLeft
    text: title.toUpperCase()
    color: Theme.textTertiary
    font.family: Theme.fontFamily
    font.pointSize: Theme.pt(10.5)
    font.weight: Font.DemiBold
    font.letterSpacing: 0.5
    elide: Text.ElideRight
}
