import QtQuick
import Tiklo.Theme

// The picker panel's content: the inline popup of semicolon search, or the full picker.
Item {
    id: root

    required property QtObject session
    required property QtObject appState
    readonly property bool inlinePresentation: session.presentationMode === "inline"

    implicitWidth: inlinePresentation ? 420 : 620
    implicitHeight: inlinePresentation ? 326 : 470

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
