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

        // The trash of the entry that shows `id`, where the layout has put it.
        function trashFor(view, id) {
            waitForRendering(view)
            for (const entry of Helpers.findAll(view, "exceptionEntry", true)) {
                if (findChild(entry, "exceptionID").text === id)
                    return findChild(entry, "removeExceptionButton")
            }
            return null
        }

        // What is added is stored at once and clears the field; what is refused (listed
        // already, or blank) keeps what was typed. Trimming and order are the store's own.
        // A removal is stored at once too.
        function test_adding_and_removing_store_at_once() {
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

            mouseClick(trashFor(view, "org.a"))
            compare(shownIDs(view), ["firefox", "org.gnome.Terminal"])
            compare(JSON.parse(Rig.storedExceptions), ["firefox", "org.gnome.Terminal"])
            mouseClick(trashFor(view, "firefox"))
            mouseClick(trashFor(view, "org.gnome.Terminal"))
            compare(shownIDs(view), [])
            verify(findChild(view, "noExceptionsText").visible)
            compare(JSON.parse(Rig.storedExceptions), [])
        }
    }
}
