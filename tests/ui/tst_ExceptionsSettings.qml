// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Tiklo.Settings
import Tiklo.TestSupport
import "SettingsTestHelpers.js" as Helpers

Item {
    id: root
    width: 560
    height: 700

    Component {
        id: exceptionsView
        ExceptionsSettingsView {
            anchors.fill: parent
            appState: Rig.appState
            backend: Rig.backend
        }
    }

    TestCase {
        name: "ExceptionsSettings"
        when: windowShown

        function init() {
            Rig.reset()
        }

        function shownIDs(view) {
            return Helpers.findAll(view, "exceptionID", true).map(text => text.text)
        }

        function add(view, text) {
            const field = findChild(view, "exceptionField")
            field.text = text
            mouseClick(findChild(view, "addExceptionButton"))
            return field.text
        }

        // What is added is stored at once and clears the field; what is refused (listed
        // already, or blank) keeps what was typed. Trimming and order are the store's own.
        function test_adding_stores_and_clears_only_what_was_added() {
            const view = createTemporaryObject(exceptionsView, root)
            verify(findChild(view, "noExceptionsText").visible)
            compare(add(view, "org.gnome.Terminal"), "")
            compare(add(view, "  firefox\n"), "")
            compare(shownIDs(view), ["firefox", "org.gnome.Terminal"])
            compare(JSON.parse(Rig.storedExceptions), ["firefox", "org.gnome.Terminal"])
            verify(!findChild(view, "noExceptionsText").visible)
            compare(add(view, " firefox "), " firefox ")
            compare(add(view, "   \n"), "   \n")
            compare(shownIDs(view), ["firefox", "org.gnome.Terminal"])
            // The application in front before the window is added by its button. (Which
            // application counts is the store's own test.)
            Rig.setLastApplication("org.a")
            mouseClick(findChild(view, "currentAppButton"))
            compare(shownIDs(view), ["firefox", "org.a", "org.gnome.Terminal"])
        }

        function test_removing() {
            const view = createTemporaryObject(exceptionsView, root)
            add(view, "org.a")
            add(view, "org.b")
            add(view, "org.c")
            const trashFor = id => {
                // Clicked where the layout has put it.
                waitForRendering(view)
                const entries = Helpers.findAll(view, "exceptionEntry", true)
                for (const entry of entries) {
                    if (findChild(entry, "exceptionID").text === id)
                        return findChild(entry, "removeExceptionButton")
                }
                return null
            }
            mouseClick(trashFor("org.b"))
            compare(shownIDs(view), ["org.a", "org.c"])
            compare(JSON.parse(Rig.storedExceptions), ["org.a", "org.c"])
            mouseClick(trashFor("org.a"))
            mouseClick(trashFor("org.c"))
            compare(shownIDs(view), [])
            verify(findChild(view, "noExceptionsText").visible)
            compare(JSON.parse(Rig.storedExceptions), [])
        }
    }
}
