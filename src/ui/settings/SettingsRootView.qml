import QtQuick
import Tiklo.Theme

// The settings window's content. Its sidebar and pages are still to come; until then it is
// the window's dark background.
Rectangle {
    id: root
    objectName: "settingsRootView"

    required property QtObject appState

    color: Theme.bg
}
