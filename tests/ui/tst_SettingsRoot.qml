// SPDX-License-Identifier: GPL-3.0-or-later
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
