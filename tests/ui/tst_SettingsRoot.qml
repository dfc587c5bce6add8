import QtQuick
import QtTest
import Tiklo.Settings
import Tiklo.TestSupport

Item {
    id: root
    width: 680
    height: 480

    Component {
        id: rootView
        SettingsRootView {
            anchors.fill: parent
            appState: Rig.appState
            backend: Rig.backend
        }
    }

    TestCase {
        name: "SettingsRoot"
        when: windowShown

        function init() {
            Rig.reset()
        }

        function makeView() {
            return createTemporaryObject(rootView, root)
        }

        function item(view, name) {
            const found = findChild(view, name)
            verify(found, "no " + name)
            return found
        }

        // A stored tab is read back exactly; anything else is no tab.
        function test_tab_names() {
            compare(SettingsTab.fromRaw("behavior"), "behavior")
            compare(SettingsTab.fromRaw("Behavior"), "")
        }

        function test_status_data() {
            return [
                { tag: "no permission, on", granted: false, enabled: true, text: "Needs permission" },
                { tag: "no permission, off", granted: false, enabled: false, text: "Needs permission" },
                { tag: "permission, on", granted: true, enabled: true, text: "Active" },
                { tag: "permission, off", granted: true, enabled: false, text: "Off" }
            ]
        }
        function test_status(data) {
            const view = makeView()
            // Changed while the window is open: the sidebar follows at once.
            Rig.appState.accessibilityGranted = data.granted
            Rig.appState.masterEnabled = data.enabled
            compare(item(view, "statusText").text, data.text)
        }

        function test_counts_follow_the_store() {
            Rig.setCatalog([
                { emoji: "\u{1F600}", name: "grinning face", shortcode: "grinning", category: 0 },
                { emoji: "\u{1F525}", name: "fire", shortcode: "fire", category: 7 },
                { emoji: "\u{1F680}", name: "rocket", shortcode: "rocket", category: 5 }
            ])
            const view = makeView()
            const value = name => findChild(item(view, name), "statLineValue").text
            compare(value("emojiIndexedStat"), "3")
            compare(value("recentPicksStat"), "0")
            compare(value("favoritesStat"), "0")

            Rig.setFavorites(["fire", "rocket"])
            compare(value("favoritesStat"), "2")
            Rig.setRecents(["fire", "grinning", "gone"])
            compare(value("recentPicksStat"), "3")
        }

        function test_tabs_switch_pages() {
            const view = makeView()
            const page = item(view, "settingsPage")
            compare(view.tab, "library")
            compare(page.item.objectName, "librarySettingsView")

            mouseClick(item(view, "sidebarItem_behavior"))
            compare(view.tab, "behavior")
            compare(page.item.objectName, "behaviorSettingsView")

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
