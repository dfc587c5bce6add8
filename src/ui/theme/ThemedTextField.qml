// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T

// A filled, rounded text field. Bind `text` and write it back in onTextEdited.
T.TextField {
    id: root

    property string placeholder
    property bool mono: false

    implicitWidth: Math.max(120, contentWidth + leftPadding + rightPadding)
    implicitHeight: contentHeight + topPadding + bottomPadding
    leftPadding: 10
    rightPadding: 10
    topPadding: 7
    bottomPadding: 7
    color: Theme.textPrimary
    selectionColor: Qt.rgba(Theme.accent.r, Theme.accent.g, Theme.accent.b, 0.4)
    selectedTextColor: Theme.textPrimary
    placeholderText: placeholder
    placeholderTextColor: Theme.textTertiary
    verticalAlignment: TextInput.AlignVCenter
    font.family: mono ? Theme.monoFamily : Theme.fontFamily
    font.pointSize: Theme.pt(12.5)

    background: Rectangle {
        radius: 7
        color: Theme.field
        border.width: 1
        border.color: Theme.border
    }

    Text {
        objectName: "themedTextFieldPlaceholder"
        x: root.leftPadding
        y: root.topPadding
        width: root.width - root.leftPadding - root.rightPadding
        height: root.height - root.topPadding - root.bottomPadding
        visible: root.text === "" && root.preeditText === ""
        text: root.placeholderText
        color: root.placeholderTextColor
        font: root.font
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
}
