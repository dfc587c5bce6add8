// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick

// The accent outline around a control that has the keyboard focus.
Rectangle {
    required property Item target

    anchors.fill: parent
    anchors.margins: -3
    radius: target.radius !== undefined ? target.radius + 3 : 7
    color: "transparent"
    border.width: 2
    border.color: Theme.accent
    visible: target.activeFocus
}
