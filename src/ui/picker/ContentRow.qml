// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.Session
import Tiklo.Theme

// One row of the full picker's content: a section's header, its "No matches" line, or its
// items (up to eight tiles in the grid, three kaomoji, one row in the list), followed by the
// gap to the next row.
Item {
    id: root

    required property int kind
    required property int section
    required property string title
    required property var items
    required property int firstIndex
    required property bool lastInSection
    // The picker view: its session, store and measures.
    required property Item picker

    // Set aside by the list for reuse: not on screen, whatever it last showed.
    property bool pooled: false
    ListView.onPooled: pooled = true
    ListView.onReused: pooled = false

    readonly property bool selectable: section === PickerContentModel.Results
    readonly property real gapAfter: {
        if (kind === PickerContentModel.Header)
            return picker.headerSpacing
        if (lastInSection)
            return section === PickerContentModel.Results ? 0 : picker.sectionSpacing
        return picker.grid ? picker.gridSpacing : picker.listSpacing
    }

    implicitHeight: loader.height + gapAfter

    function isSelected(index) {
        return selectable && picker.session.selectedIndex === index
    }

    Loader {
        id: loader
        width: root.width
        sourceComponent: root.kind === PickerContentModel.Header ? header
                       : root.kind === PickerContentModel.Empty ? noMatches
                       : root.picker.grid ? tiles : listRow
    }

    Component {
        id: header

        Text {
            objectName: "sectionTitle"
            text: root.title
            color: Theme.textSecondary
            font.family: Theme.fontFamily
            font.pointSize: Theme.pt(12)
            font.weight: Font.DemiBold
            elide: Text.ElideRight
        }
    }

    Component {
        id: noMatches

        Text {
            objectName: "noMatches"
            topPadding: 20
            bottomPadding: 20
            text: qsTr("No matches")
            color: Theme.textTertiary
            font.family: Theme.fontFamily
            font.pointSize: Theme.pt(12)
            horizontalAlignment: Text.AlignLeft
        }
    }

    Component {
        id: tiles

        Row {
            spacing: root.picker.gridSpacing

            // By count, so new emoji in the same places reuse the tiles.
            Repeater {
                model: root.items.length

                EmojiTile {
                    required property int index
                    item: root.items[index]
                    wideWidth: (root.width - (root.picker.content.kaomojiColumns - 1)
                                * root.picker.gridSpacing) / root.picker.content.kaomojiColumns
                    selected: root.isSelected(item.index)
                    onInsertRequested: keepOpen => root.picker.session.insertItem(item.id, keepOpen)
                    onContextMenuRequested: root.picker.showTileMenu(this, item)
                    onHoveringChanged: root.picker.showTileTip(this)
                }
            }
        }
    }

    Component {
        id: listRow

        EmojiRow {
            item: root.items[0]
            selected: root.isSelected(root.items[0].index)
            onInsertRequested: keepOpen => root.picker.session.insertItem(item.id, keepOpen)
            onFavoriteToggled: root.picker.session.toggleFavorite(item.id)
        }
    }
}
