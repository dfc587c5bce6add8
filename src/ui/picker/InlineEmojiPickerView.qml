// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import QtQuick.Window
import Tiklo.App
import Tiklo.Session
import Tiklo.Theme

// The popup of semicolon search: a search field, the ranked results and a footer of key
// hints. Keys are routed to the session before the field sees them; this view shows the
// session, holds the focused field and takes clicks.
Item {
    id: root

    required property PickerSession session
    required property AppState appState
    readonly property bool searchFocused: searchField.activeFocus
    // On screen: the view and its window are both visible.
    readonly property bool shown: visible && Window.window !== null && Window.window.visible
    // A query change is waiting to put the first result at the top.
    property bool scrollToTopPending: false
    // Where nothing draws the window's transparency, the frame is square.
    property bool squareCorners: false
    readonly property real cornerRadius: squareCorners ? 0 : 12

    implicitWidth: PanelSizes.inlinePopup.width
    implicitHeight: PanelSizes.inlinePopup.height

    function centreSelection() {
        const index = session.selectedIndex
        if (index < 0 || index >= resultsList.count)
            return
        scrollAnimation.stop()
        const from = resultsList.contentY
        resultsList.positionViewAtIndex(index, ListView.Center)
        const to = resultsList.contentY
        if (from === to)
            return
        resultsList.contentY = from
        scrollAnimation.from = from
        scrollAnimation.to = to
        scrollAnimation.start()
    }

    function scrollToTop() {
        scrollToTopPending = false
        if (resultsList.count === 0)
            return
        scrollAnimation.stop()
        // positionViewAtBeginning() would ignore the list's top padding.
        resultsList.contentY = resultsList.originY - resultsList.topMargin
    }

    // The field takes the keyboard at once, so letters typed right after the popup appears
    // are not lost, and again once the panel has surely become the focused window.
    function takeKeyboard() {
        searchField.forceActiveFocus()
        focusTimer.restart()
    }
    onShownChanged: {
        if (shown)
            takeKeyboard()
    }
    Component.onCompleted: {
        if (shown)
            takeKeyboard()
    }

    // Escape normally ends at the window's key routing; one that reaches the view cancels too.
    Keys.onEscapePressed: root.session.close()

    Connections {
        target: root.session

        function onQueryChanged() {
            // The session searches after announcing the query: wait for the new results.
            root.scrollToTopPending = true
            Qt.callLater(root.scrollToTop)
        }
        function onSelectedIndexChanged() {
            if (!root.scrollToTopPending)
                root.centreSelection()
        }
    }

    // Gives the panel time to become the focused window before the field asks for focus.
    Timer {
        id: focusTimer
        objectName: "searchFocusTimer"
        interval: 50
        onTriggered: searchField.forceActiveFocus()
    }

    // The query's match in each result's name, in the theme's accent.
    Binding {
        target: root.session.results
        property: "highlightColor"
        value: Theme.accent.toString()
    }

    NumberAnimation {
        id: scrollAnimation
        target: resultsList
        property: "contentY"
        duration: 120
        // The standard ease-out curve.
        easing.type: Easing.BezierSpline
        easing.bezierCurve: [0, 0, 0.58, 1, 1, 1]
    }

    Rectangle {
        anchors.fill: parent
        radius: root.cornerRadius
        color: Theme.sidebar
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        // Header. Its fill runs under the frame's top corners, so it is drawn rounded and
        // cut off below.
        Item {
            objectName: "header"
            Layout.fillWidth: true
            implicitHeight: Math.max(24, searchField.implicitHeight) + 28
            clip: true

            Rectangle {
                width: parent.width
                height: parent.height + radius
                radius: root.cornerRadius
                color: Theme.card
            }
            RowLayout {
                anchors.fill: parent
                anchors.margins: 14
                spacing: 10

                Rectangle {
                    objectName: "prefixBadge"
                    Layout.preferredWidth: 24
                    Layout.preferredHeight: 24
                    radius: 6
                    color: Theme.accentSoft

                    Text {
                        anchors.centerIn: parent
                        // The badge always shows ";", whatever prefix is configured.
                        text: ";"
                        color: Theme.accent
                        font.family: Theme.monoFamily
                        font.pointSize: Theme.pt(14)
                        font.weight: Font.DemiBold
                    }
                }
                TextInput {
                    id: searchField
                    objectName: "searchField"
                    Layout.fillWidth: true
                    text: root.session.query
                    color: Theme.textPrimary
                    selectionColor: Qt.rgba(Theme.accent.r, Theme.accent.g, Theme.accent.b, 0.4)
                    selectedTextColor: Theme.textPrimary
                    selectByMouse: true
                    clip: true
                    font.family: Theme.fontFamily
                    font.pointSize: Theme.pt(16)
                    font.weight: Font.Medium
                    onTextEdited: root.session.query = text

                    Text {
                        objectName: "searchPlaceholder"
                        anchors.fill: parent
                        visible: searchField.text === "" && searchField.preeditText === ""
                        text: qsTr("Search emoji")
                        color: Theme.textTertiary
                        font: searchField.font
                        verticalAlignment: Text.AlignVCenter
                    }
                }
            }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Theme.border
        }

        Item {
            Layout.fillWidth: true
            Layout.fillHeight: true

            ListView {
                id: resultsList
                objectName: "resultsList"
                anchors.fill: parent
                clip: true
                model: root.session.results
                spacing: 3
                topMargin: 8
                bottomMargin: 8
                leftMargin: 8
                rightMargin: 8
                boundsBehavior: Flickable.StopAtBounds
                flickableDirection: Flickable.VerticalFlick
                // The highlight is the session's; the list never moves on its own.
                currentIndex: -1
                highlightFollowsCurrentItem: false
                keyNavigationEnabled: false

                delegate: InlineEmojiRow {
                    id: resultRow
                    width: ListView.view.width - 16
                    session: root.session
                    onMenuRequested: (x, y) => rowToneMenu.openFor(resultRow.shortcode, resultRow,
                                                                   x, y)
                }
            }

            Column {
                objectName: "emptyState"
                anchors.centerIn: parent
                visible: root.session.resultCount === 0
                spacing: 6

                SymbolIcon {
                    anchors.horizontalCenter: parent.horizontalCenter
                    name: "magnifyingglass"
                    color: Theme.textTertiary
                    size: 18
                }
                Text {
                    objectName: "emptyStateText"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTr("No matches")
                    color: Theme.textTertiary
                    font.family: Theme.fontFamily
                    font.pointSize: Theme.pt(12.5)
                }
            }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Theme.border
        }

        // Footer, rounded at the frame's bottom corners like the header at the top.
        Item {
            objectName: "footer"
            Layout.fillWidth: true
            implicitHeight: 32
            clip: true

            Rectangle {
                y: -radius
                width: parent.width
                height: parent.height + radius
                radius: root.cornerRadius
                color: Theme.card
            }
            RowLayout {
                anchors.fill: parent
                anchors.leftMargin: 14
                anchors.rightMargin: 14
                spacing: 14

                KeyHint {
                    objectName: "hintNavigate"
                    key: "↑↓"
                    label: qsTr("navigate")
                }
                KeyHint {
                    objectName: "hintInsert"
                    key: root.session.commandHeld ? PickerShortcuts.insertRange() : "⏎"
                    label: qsTr("insert")
                }
                KeyHint {
                    objectName: "hintDismiss"
                    key: "esc"
                    label: qsTr("dismiss")
                }
                Item {
                    Layout.fillWidth: true
                }
                Text {
                    objectName: "footerCount"
                    text: qsTr("%n emoji", "", root.session.resultCount)
                    color: Theme.textTertiary
                    font.family: Theme.fontFamily
                    font.pointSize: Theme.pt(10.5)
                    font.weight: Font.Medium
                }
            }
        }
    }

    // The row menu: the tones of the emoji under the pointer.
    EmojiToneMenu {
        id: rowToneMenu
        session: root.session
        // Typing goes on in the field.
        onClosed: searchField.forceActiveFocus()
    }

    // The frame's inner stroke, over everything so content cannot cover it.
    Rectangle {
        anchors.fill: parent
        radius: root.cornerRadius
        color: "transparent"
        border.width: 1
        border.color: Theme.borderStrong
    }
}
