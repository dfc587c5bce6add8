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

        // The sidebar switches pages by the pointer and by the keyboard; a page is made anew
        // at each visit, so a half-typed id is gone after a visit elsewhere.
        function test_the_sidebar_switches_pages() {
            const view = makeView()
            const page = item(view, "settingsPage")
            compare(page.item.objectName, "librarySettingsView")
            mouseClick(item(view, "sidebarItem_permissions"))
            compare(view.tab, "permissions")
            compare(page.item.objectName, "permissionsSettingsView")
            mouseClick(item(view, "sidebarItem_exceptions"))
            findChild(page.item, "exceptionField").text = "org.half"
            mouseClick(item(view, "sidebarItem_library"))

            item(view, "sidebarItem_library").forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Tab)
            verify(item(view, "sidebarItem_behavior").activeFocus)
            keyClick(Qt.Key_Space)
            compare(page.item.objectName, "behaviorSettingsView")
            keyClick(Qt.Key_Tab)
            verify(item(view, "sidebarItem_exceptions").activeFocus)
            keyClick(Qt.Key_Return)
            compare(view.tab, "exceptions")
            compare(findChild(page.item, "exceptionField").text, "")
            keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Tab)
            // After the sidebar, the page's first control.
            verify(findChild(page.item, "exceptionField").activeFocus)
        }
    }
}
