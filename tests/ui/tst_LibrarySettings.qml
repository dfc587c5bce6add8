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

        function code(i) {
            return "s" + (i < 10 ? "0" : "") + i
        }
        // `count` items "s00"... listed in reverse order so that sorting shows: "s00" comes
        // last, with the emoji U+1F000 + count - 1.
        function fillReversed(count) {
            const names = []
            for (let i = count - 1; i >= 0; --i)
                names.push(code(i))
            Rig.fill(count, names)
        }

        function cells(grid) {
            return Helpers.findAll(grid, "miniGridCell", false)
        }

        // One more favorite than the card's thirty, and one the catalog no longer knows.
        function test_favorites_first_thirty_by_name() {
            fillReversed(50)
            const ids = []
            for (let i = 0; i < 31; ++i)
                ids.push(code(i))
            ids.push("unknown")
            Rig.setFavorites(ids)
            const view = createTemporaryObject(libraryView, root)
            const favorites = findChild(view, "favoritesGrid")
            const shown = cells(favorites)
            compare(shown.length, 30)
            for (let i = 0; i < 30; ++i)
                compare(shown[i].tooltip, ":" + code(i) + ":")
            compare(findChild(shown[0], "miniGridEmoji").text, String.fromCodePoint(0x1F000 + 49))
            // The favorites card never offers to clear.
            verify(!findChild(favorites, "miniGridClear").visible)
            verify(!findChild(favorites, "miniGridEmpty").visible)
        }

        function test_recents_in_order_and_clear() {
            fillReversed(5)
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
            fillReversed(5)
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
