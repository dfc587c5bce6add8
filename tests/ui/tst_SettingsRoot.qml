import QtQuick
import QtTest
import Tiklo.Settings
import Tiklo.Theme
import Tiklo.TestSupport
import "SettingsTestHelpers.js" as Helpers

Item {
    id: root
    width: 680
    height: 480

    Component {
        id: rootView
        SettingsRootView {
            anchors.fill: parent
            appState: SettingsRig.appState
            backend: SettingsRig.backend
        }
    }

    TestCase {
        name: "SettingsRoot"
        when: windowShown

        function init() {
            SettingsRig.reset()
        }

        function makeView() {
            return createTemporaryObject(rootView, root)
        }

        function item(view, name) {
            const found = findChild(view, name)
            verify(found, "no " + name)
            return found
        }

        function compareColor(actual, expected, what) {
            verify(Helpers.sameColor(actual, expected), what + ": " + actual + " is not " + expected)
        }

        function test_sidebar_texts_and_layout() {
            const view = makeView()
            compare(item(view, "badgeTitle").text, "Tiklo")
            compare(item(view, "badgeSubtitle").text, "Emoji picker")
            compare(item(view, "sidebarLabel").text, "SETTINGS")
            // The sidebar keeps its width in the smallest window.
            compare(item(view, "settingsSidebar").width, 208)
            compare(item(view, "programMark").width, 28)
            const titles = []
            for (const tab of SettingsTab.all)
                titles.push(findChild(item(view, "sidebarItem_" + tab), "sidebarItemTitle").text)
            compare(titles, ["Library", "Behavior", "Exceptions", "Permissions"])
            compare(SettingsTab.all.map(tab => SettingsTab.symbol(tab)),
                    ["face.smiling", "slider.horizontal.3", "nosign", "lock.shield"])
            compare(SettingsTab.fromRaw("behavior"), "behavior")
            compare(SettingsTab.fromRaw("Behavior"), "")
        }

        function test_status_data() {
            return [
                { tag: "no permission, on", granted: false, enabled: true,
                  text: "Needs permission", color: Theme.amber },
                { tag: "no permission, off", granted: false, enabled: false,
                  text: "Needs permission", color: Theme.amber },
                { tag: "permission, on", granted: true, enabled: true,
                  text: "Active", color: Theme.green },
                { tag: "permission, off", granted: true, enabled: false,
                  text: "Off", color: Theme.textTertiary }
            ]
        }
        function test_status(data) {
            const view = makeView()
            // Changed while the window is open: the sidebar follows at once.
            SettingsRig.setAccessibilityGranted(data.granted)
            SettingsRig.appState.masterEnabled = data.enabled
            compare(item(view, "statusText").text, data.text)
            compareColor(item(view, "statusText").color, data.color, "text")
            compareColor(item(view, "statusDot").color, data.color, "dot")
        }

        function test_counts_follow_the_store() {
            SettingsRig.setCatalog([
                { emoji: "\u{1F600}", name: "grinning face", shortcode: "grinning", category: 0 },
                { emoji: "\u{1F525}", name: "fire", shortcode: "fire", category: 7 },
                { emoji: "\u{1F680}", name: "rocket", shortcode: "rocket", category: 5 }
            ])
            const view = makeView()
            const value = name => findChild(item(view, name), "statLineValue").text
            const label = name => findChild(item(view, name), "statLineLabel").text
            compare(value("emojiIndexedStat"), "3")
            compare(label("emojiIndexedStat"), "emoji indexed")
            compare(value("recentPicksStat"), "0")
            compare(label("recentPicksStat"), "recent picks")
            compare(value("favoritesStat"), "0")
            compare(label("favoritesStat"), "favorites")

            SettingsRig.setFavorites(["fire", "rocket"])
            compare(value("favoritesStat"), "2")
            SettingsRig.setRecents(["fire", "grinning", "gone"])
            compare(value("recentPicksStat"), "3")
            // Clearing learned usage leaves the recents as they are.
            SettingsRig.setUsage(["fire"])
            SettingsRig.backend.clearUsage()
            compare(value("recentPicksStat"), "3")
            compare(Object.keys(SettingsRig.appState.emojiUsage).length, 0)
        }

        function test_tabs_switch_pages() {
            const view = makeView()
            const page = item(view, "settingsPage")
            compare(view.tab, "library")
            compare(page.item.objectName, "librarySettingsView")
            compareColor(findChild(item(view, "sidebarItem_library"), "sidebarItemButton").color,
                         Theme.selection, "selected entry")

            mouseClick(item(view, "sidebarItem_behavior"))
            compare(view.tab, "behavior")
            compare(page.item.objectName, "behaviorSettingsView")
            const selectedTitle = findChild(item(view, "sidebarItem_behavior"), "sidebarItemTitle")
            compare(selectedTitle.font.weight, Font.DemiBold)
            compare(findChild(item(view, "sidebarItem_library"), "sidebarItemTitle").font.weight,
                    Font.Normal)
            compare(findChild(item(view, "sidebarItem_library"), "sidebarItemButton").color.a, 0)

            mouseClick(item(view, "sidebarItem_permissions"))
            compare(page.item.objectName, "permissionsSettingsView")

            // A half-typed id is gone after a visit elsewhere.
            mouseClick(item(view, "sidebarItem_exceptions"))
            findChild(page.item, "exceptionField").text = "org.half"
            mouseClick(item(view, "sidebarItem_library"))
            mouseClick(item(view, "sidebarItem_exceptions"))
            compare(findChild(page.item, "exceptionField").text, "")
        }

        function test_sidebar_by_keyboard() {
            const view = makeView()
            const library = item(view, "sidebarItem_library")
            library.forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Tab)
            verify(item(view, "sidebarItem_behavior").activeFocus)
            keyClick(Qt.Key_Space)
            compare(view.tab, "behavior")
            keyClick(Qt.Key_Tab)
            verify(item(view, "sidebarItem_exceptions").activeFocus)
            keyClick(Qt.Key_Return)
            compare(view.tab, "exceptions")
            keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Tab)
            // After the sidebar, the page's first control.
            verify(findChild(item(view, "settingsPage").item, "exceptionField").activeFocus)
        }
    }
}
