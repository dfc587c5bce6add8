// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtQuick.Window
import Tiklo.App
import Tiklo.Session
import Tiklo.Theme

// The full picker opened by the hotkey: a search bar with the layout switch and the skin-tone
// menu, the category sidebar, and the emoji in sections (recents, favorites, results) as a
// grid or a list. Everything it shows is the session's and the store's; every choice goes
// back to them. Arrow keys, Return and Escape reach the session before this view.
Item {
    id: root

    required property PickerSession session
    required property AppState appState
    // The window moves when its background is dragged.
    property bool movableByBackground: true
    readonly property bool searchFocused: searchField.activeFocus
    readonly property bool shown: visible && Window.window !== null && Window.window.visible
    readonly property bool grid: appState.pickerMode === Tiklo.Grid
    readonly property PickerContentModel content: session.content
    // A new query or category is waiting to show its first row.
    property bool scrollToTopPending: false
    // Where nothing draws the window's transparency, the frame is square.
    property bool squareCorners: false
    readonly property real cornerRadius: squareCorners ? 0 : 12

    // The layout's measures, in logical pixels.
    readonly property int tileSize: 48
    readonly property int gridSpacing: 8
    readonly property int listSpacing: 6
    readonly property int sectionSpacing: 16
    readonly property int headerSpacing: 10
    readonly property int contentPadding: 16

    implicitWidth: PanelSizes.full.width
    implicitHeight: PanelSizes.full.height

    // Where the list is scrolled to with `row` in its middle: the row's emoji, not the gap
    // below them, centred, as far as the list's ends allow.
    function centredY(row) {
        emojiList.positionViewAtIndex(row, ListView.Center)
        const item = emojiList.itemAtIndex(row)
        if (item === null)
            return emojiList.contentY
        const wanted = item.y + (item.height - item.gapAfter) / 2 - emojiList.height / 2
        const top = emojiList.originY - emojiList.topMargin
        const bottom = emojiList.originY + emojiList.contentHeight + emojiList.bottomMargin
                - emojiList.height
        return Math.max(top, Math.min(wanted, bottom))
    }

    function centreSelection() {
        const row = content.rowOfResult(session.selectedIndex)
        if (row < 0)
            return
        scrollAnimation.stop()
        scrollAnimation.row = row
        const from = emojiList.contentY
        const to = centredY(row)
        if (from === to)
            return
        emojiList.contentY = from
        scrollAnimation.from = from
        scrollAnimation.to = to
        scrollAnimation.start()
    }

    function scrollToTop() {
        scrollToTopPending = false
        scrollAnimation.row = -1
        scrollAnimation.stop()
        emojiList.contentY = emojiList.originY - emojiList.topMargin
    }

    // The shortcode (or name) of the tile the pointer rests on: one tool tip for all tiles, so tiles
    // stay cheap to make.
    function showTileTip(tile) {
        if (tile.hovering) {
            tileTip.parent = tile
            tileTip.text = tile.item.kind === "emoji" ? ":" + tile.item.shortcode + ":"
                                                      : tile.item.name
            tileTip.visible = true
        } else if (tileTip.parent === tile) {
            tileTip.visible = false
        }
    }

    // The context menu of a tile, for its emoji.
    function showTileMenu(tile, item) {
        tileMenu.item = item
        tileMenu.tile = tile
        tileMenu.popup(tile, tile.width / 2, tile.height / 2)
    }

    // The tab's listing from the top of a group.
    function showGroup(group) {
        if (session.query !== "")
            session.query = ""
        const row = content.rowOfGroup(group)
        if (row >= 0) {
            scrollToTopPending = false
            scrollAnimation.stop()
            emojiList.positionViewAtIndex(row, ListView.Beginning)
        }
    }

    function chooseCategory(category) {
        session.category = category
        session.selectedIndex = 0
        session.refreshResults()
    }

    // As in the inline popup: the field takes the keyboard at once and again once the
    // window has surely become the focused one.
    function takeKeyboard() {
        searchField.forceActiveFocus()
        focusTimer.restart()
    }
    // Each showing starts at the top, whatever the last one scrolled to.
    onShownChanged: {
        if (shown) {
            scrollToTop()
            takeKeyboard()
        }
    }
    Component.onCompleted: {
        if (shown)
            takeKeyboard()
    }

    Keys.onEscapePressed: root.session.close()

    Connections {
        target: root.session

        function onQueryChanged() {
            root.scrollToTopPending = true
            Qt.callLater(root.scrollToTop)
        }
        function onCategoryChanged() {
            root.scrollToTopPending = true
            Qt.callLater(root.scrollToTop)
        }
        function onKindChanged() {
            root.scrollToTopPending = true
            Qt.callLater(root.scrollToTop)
            root.takeKeyboard()
        }
        function onSelectedIndexChanged() {
            if (!root.scrollToTopPending)
                root.centreSelection()
        }
        function onGroupRequested(group) {
            // After the tab's rows are laid out, and after any scroll to the top.
            Qt.callLater(root.showGroup, group)
        }
    }

    Timer {
        id: focusTimer
        interval: 50
        onTriggered: searchField.forceActiveFocus()
    }

    NumberAnimation {
        id: scrollAnimation

        // The row being centred.
        property int row: -1

        target: emojiList
        property: "contentY"
        duration: 120
        easing.type: Easing.BezierSpline
        easing.bezierCurve: [0, 0, 0.58, 1, 1, 1]
        // Rows of different heights made on the way can move the list's estimate of where
        // the row is; it ends exactly there.
        onFinished: {
            if (row >= 0 && row < emojiList.count)
                emojiList.contentY = root.centredY(row)
            row = -1
        }
    }

    Rectangle {
        anchors.fill: parent
        radius: root.cornerRadius
        color: Theme.bg
    }

    // Under everything: a press on the background moves the window.
    MouseArea {
        objectName: "dragArea"
        anchors.fill: parent
        enabled: root.movableByBackground
        // The window manager moves the window; where it cannot, the view does.
        property point pressedAt
        property bool movingItself: false

        onPressed: mouse => {
            pressedAt = Qt.point(mouse.x, mouse.y)
            movingItself = root.Window.window !== null && !root.Window.window.startSystemMove()
        }
        onPositionChanged: mouse => {
            if (movingItself) {
                root.Window.window.x += mouse.x - pressedAt.x
                root.Window.window.y += mouse.y - pressedAt.y
            }
        }
        onReleased: movingItself = false
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        // Top bar; its fill runs under the frame's rounded top corners.
        Item {
            objectName: "topBar"
            Layout.fillWidth: true
            implicitHeight: topBarContent.implicitHeight + 15 + 13
            clip: true

            Rectangle {
                width: parent.width
                height: parent.height + radius
                radius: root.cornerRadius
                color: Theme.sidebar
            }
            RowLayout {
                id: topBarContent
                anchors.fill: parent
                anchors.leftMargin: 16
                anchors.rightMargin: 16
                anchors.topMargin: 15
                anchors.bottomMargin: 13
                spacing: 10

                SymbolIcon {
                    name: "magnifyingglass"
                    color: Theme.textTertiary
                    size: 14
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
                    font.pointSize: Theme.pt(18)
                    font.weight: Font.Medium
                    onTextEdited: root.session.query = text

                    Text {
                        objectName: "searchPlaceholder"
                        anchors.fill: parent
                        visible: searchField.text === "" && searchField.preeditText === ""
                        text: root.session.kind === Tiklo.KaomojiKind ? qsTr("Search kaomoji")
                            : root.session.kind === Tiklo.SymbolKind ? qsTr("Search symbols")
                            : qsTr("Search emoji")
                        color: Theme.textTertiary
                        font: searchField.font
                        verticalAlignment: Text.AlignVCenter
                    }
                }
                SegmentedSwitch {
                    objectName: "kindSwitch"
                    implicitWidth: 210
                    choices: PickerChoices.kinds
                    valueKey: "kind"
                    namePrefix: "kind"
                    current: root.session.kind
                    onChose: value => root.session.kind = value
                }
                LayoutSwitch {
                    objectName: "layoutSwitch"
                    appState: root.appState
                }
                SkinToneButton {
                    objectName: "skinToneButton"
                    appState: root.appState
                }
            }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Theme.border
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 0

            // Sidebar; its fill runs under the frame's rounded bottom-left corner.
            Item {
                objectName: "sidebar"
                Layout.preferredWidth: 156
                Layout.fillHeight: true
                clip: true

                Rectangle {
                    y: -radius
                    width: parent.width + radius
                    height: parent.height + radius
                    radius: root.cornerRadius
                    color: Theme.sidebar
                }
                ColumnLayout {
                    anchors.fill: parent
                    anchors.margins: 8
                    spacing: 3

                    SectionLabel {
                        visible: root.session.kind === Tiklo.EmojiKind
                        title: qsTr("Categories")
                        leftPadding: 9
                        rightPadding: 9
                        topPadding: 6
                        bottomPadding: 6
                    }
                    // Categories are the emoji's; the other kinds show their groups in the
                    // content.
                    CategoryButton {
                        objectName: "categoryAll"
                        visible: root.session.kind === Tiklo.EmojiKind
                        title: qsTr("All")
                        icon: "square.grid.2x2"
                        selected: root.session.category === Tiklo.All
                        onClicked: root.chooseCategory(Tiklo.All)
                    }
                    Repeater {
                        model: PickerChoices.categories

                        CategoryButton {
                            required property var modelData
                            visible: root.session.kind === Tiklo.EmojiKind
                            objectName: "category" + modelData.name
                            title: modelData.title
                            icon: modelData.symbol
                            selected: root.session.category === modelData.category
                            onClicked: root.chooseCategory(modelData.category)
                        }
                    }
                    SectionLabel {
                        visible: root.session.kind !== Tiklo.EmojiKind
                        title: qsTr("Groups")
                        leftPadding: 9
                        rightPadding: 9
                        topPadding: 6
                        bottomPadding: 6
                    }
                    Repeater {
                        model: root.content.groups

                        CategoryButton {
                            required property var modelData
                            objectName: "group_" + modelData.group
                            title: modelData.title
                            sample: modelData.sample
                            onClicked: root.showGroup(modelData.group)
                        }
                    }
                    Item {
                        Layout.fillHeight: true
                    }
                    // A notice only: it takes no clicks.
                    RowLayout {
                        objectName: "permissionNotice"
                        visible: !root.appState.accessibilityGranted
                        Layout.fillWidth: true
                        Layout.leftMargin: 10
                        Layout.rightMargin: 10
                        Layout.bottomMargin: 10
                        spacing: 6

                        Rectangle {
                            implicitWidth: 7
                            implicitHeight: 7
                            radius: 3.5
                            color: Theme.amber
                        }
                        Text {
                            objectName: "permissionNoticeText"
                            Layout.fillWidth: true
                            text: qsTr("Triggers need permission")
                            // Too long for one line of the narrow sidebar in most faces.
                            wrapMode: Text.WordWrap
                            color: Theme.amber
                            font.family: Theme.fontFamily
                            font.pointSize: Theme.pt(10.5)
                            font.weight: Font.Medium
                        }
                    }
                }
            }

            Rectangle {
                Layout.fillHeight: true
                implicitWidth: 1
                color: Theme.border
            }

            ListView {
                id: emojiList
                objectName: "emojiList"
                Layout.fillWidth: true
                Layout.fillHeight: true
                clip: true
                model: root.content
                topMargin: root.contentPadding
                bottomMargin: root.contentPadding
                leftMargin: root.contentPadding
                rightMargin: root.contentPadding
                boundsBehavior: Flickable.StopAtBounds
                flickableDirection: Flickable.VerticalFlick
                currentIndex: -1
                highlightFollowsCurrentItem: false
                keyNavigationEnabled: false
                // Rows leaving the view are reused for those coming in: a row made anew is
                // eight tiles made anew.
                reuseItems: true
                cacheBuffer: 2 * (root.tileSize + root.gridSpacing)
                ScrollIndicator.vertical: ScrollIndicator {}

                delegate: ContentRow {
                    width: ListView.view.width - 2 * root.contentPadding
                    picker: root
                }
            }
        }
    }

    ThemedToolTip {
        id: tileTip
        objectName: "tileToolTip"
        delay: 600
        y: parent ? parent.height + 2 : 0
    }

    // One menu for every tile.
    ThemedMenu {
        id: tileMenu
        objectName: "tileMenu"

        property var item: ({})
        property Item tile

        // The keys go back to the search, also when the window gets the keyboard back after
        // typing an emoji it stays open for; the tones' menu keeps them while it is open.
        onClosed: {
            if (!toneMenu.visible)
                searchField.forceActiveFocus()
        }

        ThemedMenuItem {
            objectName: "favoriteMenuItem"
            text: tileMenu.item.favorite ? qsTr("Remove Favorite") : qsTr("Favorite")
            onTriggered: root.session.toggleFavorite(tileMenu.item.id)
        }
        ThemedMenuItem {
            objectName: "keepOpenMenuItem"
            text: qsTr("Insert and Keep Open")
            onTriggered: root.session.insertItem(tileMenu.item.id, true)
        }
        ThemedMenuItem {
            objectName: "escapedMenuItem"
            // Kaomoji only; greyed rather than hidden, as the tone's item below.
            enabled: tileMenu.item.wide === true
            text: qsTr("Insert for Markdown")
            onTriggered: root.session.insertItem(tileMenu.item.id, false, true)
        }
        ThemedMenuItem {
            objectName: "skinToneMenuItem"
            // Only emoji that take a tone. Greyed rather than hidden: a menu does not always
            // grow again for an item shown after it was laid out, leaving the item unclickable.
            enabled: tileMenu.item.supportsSkinTone === true
            text: qsTr("Skin Tone…")
            onTriggered: toneMenu.openFor(tileMenu.item.id, tileMenu.tile, tileMenu.tile.width / 2,
                                          tileMenu.tile.height / 2)
        }
    }
    EmojiToneMenu {
        id: toneMenu
        session: root.session
        // Opened from the tile menu, it would hand the keyboard back to that closed menu.
        onClosed: searchField.forceActiveFocus()
    }

    // The frame's inner stroke, over everything.
    Rectangle {
        anchors.fill: parent
        radius: root.cornerRadius
        color: "transparent"
        border.width: 1
        border.color: Theme.borderStrong
    }
}
