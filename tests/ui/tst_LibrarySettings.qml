// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Tiklo.Settings
import Tiklo.TestSupport
import "SettingsTestHelpers.js" as Helpers

Item {
    id: root
    width: 560
    height: 900

    Component {
        id: libraryView
        LibrarySettingsView {
            anchors.fill: parent
            appState: Rig.appState
            backend: Rig.backend
        }
    }

    TestCase {
        name: "LibrarySettings"
        when: windowShown

        function init() {
            Rig.reset()
        }

        // `count` items named "item 00"... with shortcodes "s00"..., listed in reverse name
        // order so that sorting shows.
        function catalogOf(count) {
            const items = []
            for (let i = count - 1; i >= 0; --i) {
                const n = (i < 10 ? "0" : "") + i
                items.push({ emoji: String.fromCodePoint(0x1F000 + i), name: "item " + n,
                             shortcode: "s" + n, category: i % 9 })
            }
            return items
        }

        function cells(grid) {
            return Helpers.findAll(grid, "miniGridCell", false)
        }

        function test_favorites_first_thirty_by_name() {
            Rig.setCatalog(catalogOf(50))
            const ids = []
            for (let i = 0; i < 45; ++i)
                ids.push("s" + (i < 10 ? "0" : "") + i)
            ids.push("unknown")
            Rig.setFavorites(ids)
            const view = createTemporaryObject(libraryView, root)
            const favorites = findChild(view, "favoritesGrid")
            const shown = cells(favorites)
            compare(shown.length, 30)
            for (let i = 0; i < 30; ++i)
                compare(shown[i].tooltip, ":s" + (i < 10 ? "0" : "") + i + ":")
            compare(findChild(shown[0], "miniGridEmoji").text, String.fromCodePoint(0x1F000))
            // The favorites card never offers to clear.
            verify(!findChild(favorites, "miniGridClear").visible)
            verify(!findChild(favorites, "miniGridEmpty").visible)
        }

        function test_recents_in_order_and_clear() {
            Rig.setCatalog(catalogOf(5))
            Rig.setRecents(["s03", "gone", "s01", "s04"])
            const view = createTemporaryObject(libraryView, root)
            const recent = findChild(view, "recentGrid")
            verify(findChild(findChild(view, "favoritesGrid"), "miniGridEmpty").visible, "no favorites")
            // The unknown id is not shown but stays stored.
            compare(cells(recent).map(cell => cell.tooltip), [":s03:", ":s01:", ":s04:"])
            compare(Rig.appState.recents.length, 4)
            const clear = findChild(recent, "miniGridClear")
            verify(clear.visible)
            mouseClick(clear)
            compare(Rig.appState.recents.length, 0)
            compare(cells(recent).length, 0)
            verify(findChild(recent, "miniGridEmpty").visible)
            verify(!clear.visible)
        }

        // The button, by the pointer and by the keyboard, clears only the counts.
        function test_usage_count_and_clear() {
            Rig.setCatalog(catalogOf(5))
            Rig.setUsage(["s00", "s01", "s02"])
            Rig.setRecents(["s01"])
            Rig.setFavorites(["s02"])
            const view = createTemporaryObject(libraryView, root)
            const subtitle = findChild(findChild(view, "usageRow"), "settingRowSubtitle")
            verify(subtitle.text.startsWith("3 emoji have learned counts."))
            mouseClick(findChild(view, "clearUsageButton"))
            verify(subtitle.text.startsWith("0 emoji have learned counts."))
            compare(Rig.appState.recents, ["s01"])
            compare(Rig.appState.favorites, ["s02"])
            Rig.setUsage(["s00"])
            findChild(view, "clearUsageButton").forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Space)
            compare(Object.keys(Rig.appState.emojiUsage).length, 0)
        }
    }
}
