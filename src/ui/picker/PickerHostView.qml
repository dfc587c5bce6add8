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
    // Set by the window: true from a showing on, false before the first one and after a while
    // hidden. What only the full picker needs is made while in use and let go when not.
    property bool inUse: false
    readonly property bool fullViewWanted: inUse && !inlinePresentation
    // The full picker is made on its first showing, not with the popup, and kept from then on
    // while in use.
    property bool fullViewMade: false
    readonly property size panelSize: inlinePresentation ? PanelSizes.inlinePopup : PanelSizes.full

    implicitWidth: panelSize.width
    implicitHeight: panelSize.height

    onFullViewWantedChanged: {
        if (fullViewWanted)
            fullViewMade = true
    }
    onInUseChanged: {
        if (!inUse)
            fullViewMade = false
    }

    InlineEmojiPickerView {
        id: inlineView
        objectName: "inlinePickerView"
        anchors.fill: parent
        visible: root.inlinePresentation
        session: root.session
        appState: root.appState
        squareCorners: !root.translucent
    }

    Loader {
        id: fullLoader
        anchors.fill: parent
        active: root.fullViewMade
        visible: !root.inlinePresentation
        sourceComponent: PickerView {
            objectName: "pickerView"
            session: root.session
            appState: root.appState
            movableByBackground: root.movableByBackground
            squareCorners: !root.translucent
        }
    }
}
