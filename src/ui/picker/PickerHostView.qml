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
    readonly property size panelSize: inlinePresentation ? PanelSizes.inlinePopup : PanelSizes.full

    implicitWidth: panelSize.width
    implicitHeight: panelSize.height

    InlineEmojiPickerView {
        id: inlineView
        anchors.fill: parent
        visible: root.inlinePresentation
        session: root.session
        appState: root.appState
    }

    // Stands in for the full picker until it exists.
    Rectangle {
        objectName: "fullPickerPlaceholder"
        anchors.fill: parent
        visible: !root.inlinePresentation
        color: Theme.bg
        radius: 12
        border.width: 1
        border.color: Theme.borderStrong
    }
}
