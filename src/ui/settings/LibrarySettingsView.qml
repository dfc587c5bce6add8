// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.App
import Tiklo.Theme

// What Tiklo has learned and holds: favorites, recent picks, learned usage and how many
// emoji each category has.
SettingsPage {
    id: root
    objectName: "librarySettingsView"

    required property AppState appState
    required property QtObject backend

    SectionHeader {
        title: qsTr("Library")
        subtitle: qsTr("recents, favorites and the indexed emoji set.")
    }

    EmojiMiniGrid {
        objectName: "favoritesGrid"
        title: qsTr("Favorites")
        items: root.backend.favoriteItems
        emptyText: qsTr("No favorites yet.")
    }

    EmojiMiniGrid {
        objectName: "recentGrid"
        title: qsTr("Recent")
        items: root.backend.recentItems
        emptyText: qsTr("Your picked emoji will appear here.")
        clearable: true
        onClearClicked: root.backend.clearRecents()
    }

    Card {
        objectName: "usageCard"
        SettingRow {
            objectName: "usageRow"
            width: parent.width
            title: qsTr("Usage ranking")
            subtitle: qsTr("%n emoji have learned counts. Frequently selected emoji move forward in close search matches.",
                           "", Object.keys(root.appState.emojiUsage).length)
            PillButton {
                objectName: "clearUsageButton"
                title: qsTr("Clear")
                destructive: true
                onClicked: root.backend.clearUsage()
            }
        }
    }

    Card {
        objectName: "categoriesCard"
        ColumnLayout {
            width: parent.width
            spacing: 12

            Repeater {
                objectName: "categoryRepeater"
                model: root.backend.categories

                ColumnLayout {
                    id: category
                    required property var modelData
                    required property int index
                    Layout.fillWidth: true
                    spacing: 12

                    SettingRow {
                        objectName: "categoryRow"
                        title: category.modelData.title
                        subtitle: qsTr("%n emoji", "", category.modelData.count)
                        SymbolIcon {
                            name: category.modelData.symbol
                            color: Theme.textSecondary
                        }
                    }
                    Divider {
                        objectName: "categoryDivider"
                        visible: category.index < root.backend.categories.length - 1
                    }
                }
            }
        }
    }
}
