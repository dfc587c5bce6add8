// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.App
import Tiklo.Session
import Tiklo.Theme

// The picker panel's content: the inline popup of semicolon search, or the full picker.
Item {
    id: root

    required property PickerSession session
    required property AppState appState
    readonly property bool inlinePresentation: session.presentationMode === Tiklo.Inline
    // Set by the window: whether a press on the background moves it.
    property bool movableByBackground: false
    // Set by the window: whether what is transparent in it shows as transparent. Without a
    // compositor the corners outside a rounded frame would show as a colour.
    property bool translucent: true
    readonly property size panelSize: inlinePresentation ? PanelSizes.inlinePopup : PanelSizes.full

    implicitWidth: panelSize.width
    implicitHeight: panelSize.height

    InlineEmojiPickerView {
        id: inlineView
        objectName: "inlinePickerView"
        anchors.fill: parent
        visible: root.inlinePresentation
        session: root.session
        appState: root.appState
        squareCorners: !root.translucent
    }

    PickerView {
        id: fullView
        objectName: "pickerView"
        anchors.fill: parent
        visible: !root.inlinePresentation
        session: root.session
        appState: root.appState
        movableByBackground: root.movableByBackground
        squareCorners: !root.translucent
    }
}
