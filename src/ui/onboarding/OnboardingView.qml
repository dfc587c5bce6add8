import QtQuick
import Tiklo.App
import Tiklo.Theme

// The welcome window's content. Its pages are still to come; until then it is the window's
// dark background.
Rectangle {
    id: root
    objectName: "onboardingView"

    required property AppState appState

    color: Theme.sidebar
}
