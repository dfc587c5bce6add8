// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// A symbol drawn at a text size in a text colour.
Image {
    property string name
    property color color: Theme.textPrimary
    // The point size of the text it stands beside.
    property real size: 13

    source: Symbols.source(name, color)
    sourceSize.width: Math.round(size * 1.1)
    sourceSize.height: Math.round(size * 1.1)
    width: sourceSize.width
    height: sourceSize.height
    fillMode: Image.PreserveAspectFit
    smooth: true
}
