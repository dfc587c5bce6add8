import QtQuick
import Tiklo.App
import Tiklo.Theme

// The settings window's content. Its sidebar and pages are still to come; until then it is
// the window's dark background.
Rectangle {
    id: root
    objectName: "settingsRootView"

    required property AppState appState

    color: Theme.bg
}
