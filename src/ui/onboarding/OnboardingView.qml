// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.App
import Tiklo.Theme

// The welcome window's content: what Tiklo does, what this desktop lets it do, and how to
// try it, one page at a time under a row of progress dots. The last page records that
// onboarding is complete and says so with `finished`, on which the window goes away.
Rectangle {
    id: root
    objectName: "onboardingView"

    required property AppState appState
    // 0 welcome, 1 permission, 2 and above done.
    property int step: 0
    readonly property int stepCount: 3

    signal finished

    readonly property bool keysGranted: appState.accessibilityGranted
    readonly property int caretTracking: appState.caretTracking

    function goTo(page) {
        step = page
    }

    function finish() {
        appState.setDidCompleteOnboarding(true)
        finished()
    }

    // The keyboard starts on each page's main button.
    function focusPage() {
        const buttons = [getStartedButton, continueButton, startButton]
        buttons[Math.min(step, buttons.length - 1)].forceActiveFocus()
    }

    implicitWidth: 560
    implicitHeight: 520
    color: Theme.sidebar

    onStepChanged: {
        pageFade.restart()
        focusPage()
    }
    Component.onCompleted: focusPage()

    component BodyText: Text {
        Layout.alignment: Qt.AlignHCenter
        Layout.fillWidth: true
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        color: Theme.textSecondary
        font.family: Theme.fontFamily
        font.pointSize: Theme.pt(12.5)
    }
    component TitleText: Text {
        Layout.alignment: Qt.AlignHCenter
        color: Theme.textPrimary
        font.family: Theme.fontFamily
        font.pointSize: Theme.pt(20)
        font.weight: Font.DemiBold
    }
    // Laid out by hand: a wrapping text in a row layout keeps the height of its first,
    // narrower measure.
    component BulletRow: Item {
        property alias symbol: bulletSymbol.name
        property alias text: bulletText.text
        implicitHeight: Math.max(bulletText.implicitHeight, bulletSymbol.height)
        SymbolIcon {
            id: bulletSymbol
            x: (20 - width) / 2
            anchors.verticalCenter: parent.verticalCenter
            color: Theme.textSecondary
            size: 13
        }
        Text {
            id: bulletText
            objectName: "bulletText"
            x: 20 + 10
            width: parent.width - x
            anchors.verticalCenter: parent.verticalCenter
            wrapMode: Text.Wrap
            color: Theme.textSecondary
            font.family: Theme.fontFamily
            font.pointSize: Theme.pt(12.5)
        }
    }
    // A state line of the permission card: a mark, a text in the mark's colour, and
    // whatever follows at the trailing end.
    component StatusLine: RowLayout {
        property bool good: false
        property color tint: good ? Theme.green : Theme.amber
        property alias text: statusText.text
        spacing: 10
        Layout.fillWidth: true
        Item {
            Layout.preferredWidth: 16
            Layout.preferredHeight: 16
            Layout.alignment: Qt.AlignVCenter
            SymbolIcon {
                anchors.centerIn: parent
                visible: parent.parent.good
                name: "checkmark.circle.fill"
                color: Theme.green
                size: 16
            }
            Rectangle {
                anchors.centerIn: parent
                visible: !parent.parent.good
                width: 8
                height: 8
                radius: 4
                color: parent.parent.tint
            }
        }
        Text {
            id: statusText
            objectName: "statusText"
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            wrapMode: Text.Wrap
            color: parent.tint
            font.family: Theme.fontFamily
            font.pointSize: Theme.pt(13)
            font.weight: Font.Medium
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        // Progress: a dot per page, filled up to the current one, and the step in words.
        ColumnLayout {
            objectName: "progressHeader"
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 24
            Layout.bottomMargin: 18
            spacing: 8

            Row {
                Layout.alignment: Qt.AlignHCenter
                spacing: 7
                Repeater {
                    objectName: "progressDots"
                    model: root.stepCount
                    Rectangle {
                        required property int index
                        objectName: "progressDot" + index
                        readonly property bool filled: index <= root.step
                        width: 7
                        height: 7
                        radius: 3.5
                        color: filled ? Theme.accent : Qt.rgba(1, 1, 1, 0.12)
                        Behavior on color {
                            ColorAnimation {
                                duration: Theme.duration(200)
                                easing.type: Easing.OutQuad
                            }
                        }
                    }
                }
            }
            Text {
                objectName: "stepText"
                Layout.alignment: Qt.AlignHCenter
                text: qsTr("Step %1 of %2").arg(root.step + 1).arg(root.stepCount)
                color: Theme.textTertiary
                font.family: Theme.fontFamily
                font.pointSize: Theme.pt(10.5)
                font.weight: Font.Medium
                font.letterSpacing: 0.4
            }
        }

        StackLayout {
            id: pages
            objectName: "pages"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.leftMargin: 40
            Layout.rightMargin: 40
            currentIndex: Math.min(root.step, 2)

            NumberAnimation {
                id: pageFade
                target: pages
                property: "opacity"
                from: 0
                to: 1
                duration: Theme.duration(150)
                easing.type: Easing.OutQuad
            }

            // Welcome.
            Item {
                objectName: "welcomePage"
                ColumnLayout {
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.top: parent.top
                    anchors.topMargin: 18
                    spacing: 22

                    // The program's mark: a gradient square with a smiling face.
                    Item {
                        objectName: "brandMark"
                        Layout.alignment: Qt.AlignHCenter
                        implicitWidth: 58
                        implicitHeight: 58
                        Canvas {
                            // Room for the shadow around the square.
                            readonly property real margin: 30
                            x: -margin
                            y: -margin
                            width: parent.width + 2 * margin
                            height: parent.height + 2 * margin
                            onPaint: {
                                const context = getContext("2d")
                                context.reset()
                                const left = margin, top = margin, side = 58, r = 14
                                const gradient = context.createLinearGradient(left, top,
                                                                              left + side,
                                                                              top + side)
                                gradient.addColorStop(0, Theme.accent)
                                gradient.addColorStop(1, Qt.rgba(0.18, 0.38, 0.95, 1))
                                context.shadowColor = Qt.rgba(Theme.accent.r, Theme.accent.g,
                                                              Theme.accent.b, 0.35)
                                context.shadowBlur = 18
                                context.shadowOffsetX = 0
                                context.shadowOffsetY = 6
                                context.fillStyle = gradient
                                context.beginPath()
                                context.roundedRect(left, top, side, side, r, r)
                                context.fill()
                            }
                        }
                        SymbolIcon {
                            anchors.centerIn: parent
                            name: "face.smiling"
                            color: "white"
                            size: 26
                        }
                    }

                    ColumnLayout {
                        Layout.alignment: Qt.AlignHCenter
                        spacing: 6
                        Text {
                            objectName: "welcomeTitle"
                            Layout.alignment: Qt.AlignHCenter
                            text: qsTr("Welcome to Tiklo")
                            color: Theme.textPrimary
                            font.family: Theme.fontFamily
                            font.pointSize: Theme.pt(22)
                            font.weight: Font.DemiBold
                        }
                        BodyText {
                            objectName: "welcomeBody"
                            Layout.maximumWidth: 400
                            text: qsTr("A fast emoji picker that drops emoji straight into whatever you're typing.")
                        }
                    }

                    Card {
                        objectName: "welcomeCard"
                        Layout.alignment: Qt.AlignHCenter
                        Layout.maximumWidth: 430
                        padding: 14
                        ColumnLayout {
                            width: parent.width
                            spacing: 12
                            BulletRow {
                                objectName: "bullet0"
                                Layout.fillWidth: true
                                symbol: "keyboard"
                                text: qsTr("Type ; anywhere to search, then Return to insert.")
                            }
                            BulletRow {
                                objectName: "bullet1"
                                Layout.fillWidth: true
                                symbol: "square.grid.2x2"
                                text: qsTr("Press Ctrl+Alt+E for the full picker with categories and favorites.")
                            }
                            BulletRow {
                                objectName: "bullet2"
                                Layout.fillWidth: true
                                symbol: "chart.line.uptrend.xyaxis"
                                text: qsTr("Your most-used emoji rise to the top automatically.")
                            }
                        }
                    }

                    PillButton {
                        id: getStartedButton
                        objectName: "getStartedButton"
                        Layout.alignment: Qt.AlignHCenter
                        title: qsTr("Get started")
                        icon: "arrow.right"
                        prominent: true
                        onClicked: root.goTo(1)
                    }
                }
            }

            // What this desktop lets Tiklo do, live.
            Item {
                objectName: "permissionPage"
                ColumnLayout {
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.top: parent.top
                    anchors.topMargin: 14
                    spacing: 18

                    SymbolIcon {
                        objectName: "permissionShield"
                        Layout.alignment: Qt.AlignHCenter
                        name: root.keysGranted ? "checkmark.shield.fill" : "lock.shield"
                        color: root.keysGranted ? Theme.green : Theme.amber
                        size: 34
                    }

                    ColumnLayout {
                        Layout.alignment: Qt.AlignHCenter
                        Layout.fillWidth: true
                        spacing: 6
                        TitleText {
                            objectName: "permissionTitle"
                            text: qsTr("One permission, and you're set")
                        }
                        BodyText {
                            objectName: "permissionBody"
                            Layout.maximumWidth: 420
                            text: qsTr("Tiklo needs key access to watch for ; and to type emoji into other apps, and the accessibility bus to find the caret. Nothing leaves your computer.")
                        }
                    }

                    Card {
                        id: permissionCard
                        objectName: "permissionCard"
                        Layout.alignment: Qt.AlignHCenter
                        Layout.maximumWidth: 440
                        padding: 16

                        // The content fades over when a state changes.
                        readonly property string look: root.keysGranted + "/" + root.caretTracking
                                                       + "/" + root.appState.inputMethodSearch
                                                       + "/" + root.appState.ibusSearch
                        onLookChanged: cardFade.restart()
                        NumberAnimation {
                            id: cardFade
                            target: permissionLines
                            property: "opacity"
                            from: 0
                            to: 1
                            duration: Theme.duration(200)
                            easing.type: Easing.OutQuad
                        }

                        ColumnLayout {
                            id: permissionLines
                            width: parent.width
                            spacing: 12

                            StatusLine {
                                objectName: "keyStatus"
                                good: root.keysGranted
                                text: !root.keysGranted
                                      ? qsTr("No key access: Tiklo needs an X11 session")
                                      : root.appState.x11ApplicationsOnly
                                        ? qsTr("Permission granted — Tiklo is live in X11 apps")
                                        : qsTr("Permission granted — Tiklo is live")
                            }
                            StatusLine {
                                objectName: "caretStatus"
                                good: root.caretTracking === Tiklo.On
                                tint: root.caretTracking === Tiklo.Unknown ? Theme.textTertiary
                                      : good ? Theme.green : Theme.amber
                                text: {
                                    switch (root.caretTracking) {
                                    case Tiklo.On:
                                        return qsTr("Caret tracking is on")
                                    case Tiklo.Off:
                                        return qsTr("Caret tracking is off")
                                    case Tiklo.Unavailable:
                                        return qsTr("No accessibility bus: install at-spi2-core")
                                    default:
                                        return qsTr("Asking the accessibility bus…")
                                    }
                                }
                                PillButton {
                                    objectName: "grantAccessButton"
                                    visible: root.caretTracking === Tiklo.Off
                                    title: qsTr("Grant Access")
                                    prominent: true
                                    // The page changes only when the bus says it is on.
                                    onClicked: root.appState.requestAccessibility()
                                }
                            }
                            StatusLine {
                                objectName: "inputMethodStatus"
                                readonly property int search: root.appState.inputMethodSearch
                                good: search === Tiklo.On
                                // Not needed on X11: never a warning.
                                tint: Theme.textTertiary
                                text: {
                                    switch (search) {
                                    case Tiklo.On:
                                        return qsTr("Semicolon search through fcitx5: on")
                                    case Tiklo.Off:
                                        return qsTr("Semicolon search through fcitx5: off")
                                    case Tiklo.NotInstalled:
                                        return qsTr("Semicolon search through fcitx5: not installed")
                                    default:
                                        return qsTr("Asking fcitx5…")
                                    }
                                }
                            }
                            StatusLine {
                                objectName: "ibusStatus"
                                readonly property int search: root.appState.ibusSearch
                                good: search === Tiklo.On
                                tint: Theme.textTertiary
                                text: {
                                    switch (search) {
                                    case Tiklo.On:
                                        return qsTr("Semicolon search through IBus: on")
                                    case Tiklo.Off:
                                        return qsTr("Semicolon search through IBus: off (another input source is active)")
                                    case Tiklo.NotInstalled:
                                        return qsTr("Semicolon search through IBus: not installed")
                                    default:
                                        return qsTr("Asking IBus…")
                                    }
                                }
                            }
                            Text {
                                objectName: "gnomeGuidance"
                                // Where IBus is there, so is most likely GNOME, without a tray.
                                visible: root.appState.ibusSearch === Tiklo.Off
                                         || root.appState.ibusSearch === Tiklo.On
                                Layout.fillWidth: true
                                wrapMode: Text.WordWrap
                                font.pixelSize: 11
                                color: Theme.textSecondary
                                text: qsTr("On GNOME: add Tiklo under Settings → Keyboard → Input Sources. For the full picker anywhere, bind “tiklo --picker” to a custom shortcut. The AppIndicator extension shows Tiklo's icon.")
                            }
                        }
                    }

                    Text {
                        objectName: "permissionHint"
                        Layout.alignment: Qt.AlignHCenter
                        Layout.fillWidth: true
                        Layout.maximumWidth: 400
                        horizontalAlignment: Text.AlignHCenter
                        wrapMode: Text.Wrap
                        color: Theme.textTertiary
                        font.family: Theme.fontFamily
                        font.pointSize: Theme.pt(11)
                        // Names Grant Access only while that button is there.
                        text: {
                            switch (root.caretTracking) {
                            case Tiklo.Off:
                                return qsTr("Grant Access switches on the desktop's accessibility bus. Applications started before then report their caret after a restart. This page updates the moment it changes.")
                            case Tiklo.Unavailable:
                                return qsTr("Without an accessibility bus the popup opens near the pointer. Install at-spi2-core to have it open at the caret; this page updates the moment the bus is there.")
                            case Tiklo.On:
                                return root.appState.caretTrackingNeedsRestart
                                        ? qsTr("Caret tracking is on: applications started before it was switched on report their caret after a restart.")
                                        : qsTr("Caret tracking is on: the popup opens at the caret of applications that report it.")
                            default:
                                return qsTr("Tiklo is asking the desktop's accessibility bus whether applications report their caret. This page updates the moment it answers.")
                            }
                        }
                    }

                    ColumnLayout {
                        Layout.alignment: Qt.AlignHCenter
                        spacing: 10
                        PillButton {
                            id: continueButton
                            objectName: "continueButton"
                            Layout.alignment: Qt.AlignHCenter
                            title: qsTr("Continue")
                            icon: "arrow.right"
                            prominent: true
                            // Still works without the permission, only looks it.
                            opacity: root.keysGranted ? 1 : 0.4
                            onClicked: root.goTo(2)
                        }
                        Text {
                            id: laterButton
                            objectName: "setUpLaterButton"
                            Layout.alignment: Qt.AlignHCenter
                            text: qsTr("Set up later")
                            color: Theme.textTertiary
                            font.family: Theme.fontFamily
                            font.pointSize: Theme.pt(11)
                            font.underline: activeFocus
                            activeFocusOnTab: true
                            Accessible.role: Accessible.Button
                            Accessible.name: text
                            Accessible.onPressAction: root.goTo(2)
                            Keys.onPressed: event => {
                                if (event.key === Qt.Key_Space || event.key === Qt.Key_Return
                                        || event.key === Qt.Key_Enter) {
                                    event.accepted = true
                                    root.goTo(2)
                                }
                            }
                            MouseArea {
                                anchors.fill: parent
                                cursorShape: Qt.PointingHandCursor
                                onClicked: root.goTo(2)
                            }
                        }
                    }
                }
            }

            // How to try it.
            Item {
                objectName: "donePage"
                ColumnLayout {
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.top: parent.top
                    anchors.topMargin: 16
                    spacing: 20

                    SymbolIcon {
                        Layout.alignment: Qt.AlignHCenter
                        name: "sparkles"
                        color: Theme.accent
                        size: 34
                    }
                    ColumnLayout {
                        Layout.alignment: Qt.AlignHCenter
                        spacing: 6
                        TitleText {
                            objectName: "doneTitle"
                            text: qsTr("You're all set")
                        }
                        BodyText {
                            objectName: "doneBody"
                            text: qsTr("Click into any text field and give it a try:")
                        }
                    }
                    Card {
                        objectName: "exampleCard"
                        Layout.alignment: Qt.AlignHCenter
                        Layout.maximumWidth: 420
                        padding: 18
                        Item {
                            width: parent.width
                            implicitHeight: example.implicitHeight
                            height: implicitHeight
                            SemicolonSearchExample {
                                id: example
                                anchors.horizontalCenter: parent.horizontalCenter
                                emojiSize: 24
                            }
                        }
                    }
                    Text {
                        objectName: "doneHint"
                        Layout.alignment: Qt.AlignHCenter
                        text: qsTr("Tiklo lives in your system tray — open Settings there anytime.")
                        color: Theme.textTertiary
                        font.family: Theme.fontFamily
                        font.pointSize: Theme.pt(11)
                    }
                    PillButton {
                        id: startButton
                        objectName: "startButton"
                        Layout.alignment: Qt.AlignHCenter
                        title: qsTr("Start using Tiklo")
                        icon: "checkmark"
                        prominent: true
                        onClicked: root.finish()
                    }
                }
            }
        }
    }
}
