// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Tiklo.App
import Tiklo.Onboarding
import Tiklo.Picker
import Tiklo.Session
import Tiklo.Settings
import Tiklo.TestSupport
import "SettingsTestHelpers.js" as Helpers

Item {
    id: root
    width: 680
    height: 900

    Component { id: pickerView; InlineEmojiPickerView { appState: Rig.appState } }
    Component { id: rootView; SettingsRootView { anchors.fill: parent } }
    Component { id: libraryView; LibrarySettingsView { anchors.fill: parent } }
    Component { id: exceptionsView; ExceptionsSettingsView { anchors.fill: parent } }
    Component { id: permissionsView; PermissionsSettingsView { anchors.fill: parent } }
    Component { id: welcomeView; OnboardingView { appState: Rig.appState } }
    Component { id: spy; SignalSpy {} }
    Component { id: behaviorView; BehaviorSettingsView { anchors.fill: parent } }
    // A text field beside the page, to see where keys go.
    Component { id: textField; TextInput { width: 200; height: 20 } }

    TestCase {
        name: "Views"
        when: windowShown

        readonly property PickerSession session: Rig.session
        property Item view

        function init() {
            Rig.reset()
        }

        function makePage(component) {
            const properties = { appState: Rig.appState }
            if (component !== permissionsView)
                properties.backend = Rig.backend
            return createTemporaryObject(component, root, properties)
        }
        function item(view, name) {
            const found = findChild(view, name)
            verify(found, "no " + name)
            return found
        }
        function subtitle(view, row) {
            return findChild(item(view, row), "settingRowSubtitle")
        }

        function makeView() {
            view = createTemporaryObject(pickerView, root, { session: session })
            waitForItemPolished(item(view, "resultsList"))
        }
        function row(index) {
            const list = item(view, "resultsList")
            list.positionViewAtIndex(index, ListView.Contain)
            verify(list.itemAtIndex(index), "no row " + index)
            return list.itemAtIndex(index)
        }
        function rowChild(index, name) {
            return findChild(row(index), name)
        }

        // Ctrl shows the digit badges on the first nine rows. Resting on a row does not move
        // the selection Return types; a click inserts that row, and the popup goes.
        function test_inline_badges_hover_and_click() {
            Rig.fill(12)
            session.selectedIndex = 10
            makeView()
            session.commandHeld = true
            for (let i = 0; i < 12; ++i) {
                compare(rowChild(i, "commandBadge").visible, i < 9, "badge on row " + i)
                if (i < 9)
                    compare(rowChild(i, "commandBadgeText").text, "Ctrl+" + (i + 1))
            }
            session.commandHeld = false
            verify(!rowChild(0, "commandBadge").visible)

            const hovered = row(2)
            mouseMove(hovered, hovered.width / 2, hovered.height / 2)
            tryCompare(hovered, "hovering", true)
            compare(session.selectedIndex, 10)
            mouseClick(hovered)
            compare(Rig.typed(), [hovered.emoji])
            compare(Rig.hides(), 1)
            mouseMove(root, root.width - 1, root.height - 1)
        }

        // A right click on a row of an emoji that takes a tone offers the tones; the tone
        // chosen shows in the row, nothing is typed. Other rows offer nothing.
        function test_inline_the_row_menu_chooses_a_tone_for_that_emoji() {
            Rig.fill(1, ["fire"])
            Rig.addHand("wave")
            makeView()
            const menu = item(view, "emojiToneMenu")
            // The hand ranks first: it is one of the common emoji.
            const hand = row(0).supportsSkinTone ? 0 : 1
            mouseClick(row(1 - hand), 10, 10, Qt.RightButton)
            wait(50)
            verify(!menu.opened)
            mouseClick(row(hand), 10, 10, Qt.RightButton)
            tryVerify(() => menu.opened)
            mouseClick(menu.itemAt(5)) // Dark
            tryVerify(() => !menu.visible)
            compare(rowChild(hand, "rowEmoji").text, "\u{1F44B}\u{1F3FF}")
            compare(Rig.typed(), [])
            compare(Rig.hides(), 0)
        }

        // A kaomoji is shown whole, in the text face, and its name after it.
        function test_inline_a_kaomoji_row_shows_it_whole() {
            const shrug = "\u00AF\\_(\u30C4)_/\u00AF"
            Rig.fill(1, ["shrug face"])
            Rig.addKaomoji(shrug, "shrug")
            session.query = "shrug"
            makeView()
            compare(session.resultCount, 2)
            const kaomoji = rowChild(1, "rowEmoji")
            compare(kaomoji.text, shrug)
            verify(kaomoji.width > 28)
            verify(rowChild(1, "rowName").x >= kaomoji.x + kaomoji.width)
            compare(row(1).Accessible.name, "shrug")
        }

        function test_inline_the_field_has_the_keyboard_and_writes_the_query() {
            makeView()
            // Keys typed right after the popup appears go to the field, not nowhere.
            verify(view.searchFocused)
            item(view, "searchField").focus = false
            // The later hand-over, once the panel is the focused window, takes it back.
            tryVerify(() => view.searchFocused, 1000)
            // Shown again (the panel is reused): focused again at once.
            view.visible = false
            view.visible = true
            verify(view.searchFocused)

            keyClick(Qt.Key_F)
            keyClick(Qt.Key_I)
            compare(session.query, "fi")
            session.query = "" // cleared by the session after an insert
            compare(item(view, "searchField").text, "")
        }

        // The session announces the query, resets the highlight, then gives its results; the
        // list must not rely on a model reset to get back to the top.
        function test_inline_a_new_query_puts_the_first_result_at_the_top_data() {
            return [{ tag: "results replaced", replace: true }, { tag: "results kept", replace: false }]
        }
        function test_inline_a_new_query_puts_the_first_result_at_the_top(data) {
            Rig.fill(40)
            makeView()
            const list = item(view, "resultsList")
            session.selectedIndex = 30
            tryVerify(() => list.contentY > 200)
            session.query = "item"
            session.selectedIndex = 0
            if (data.replace)
                Rig.fill(35)
            wait(0)
            waitForItemPolished(list)
            // There at once, not on the way.
            compare(list.itemAtIndex(0).y - list.contentY, list.topMargin)
        }

        // The sidebar switches pages by the pointer, and by Return as by Space (which the
        // tray's desktop test presses, with Tab, on its way to the recorder).
        function test_root_sidebar_switches_pages() {
            const view = makePage(rootView)
            const page = item(view, "settingsPage")
            compare(page.item.objectName, "librarySettingsView")
            mouseClick(item(view, "sidebarItem_permissions"))
            compare(page.item.objectName, "permissionsSettingsView")
            item(view, "sidebarItem_exceptions").forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Return)
            compare(page.item.objectName, "exceptionsSettingsView")
        }

        // Favorites: the first thirty by name, never offering to clear; recents in order, cleared
        // by the card; the counts cleared by their button, and nothing else. Ids the catalog no
        // longer knows are not shown but stay stored.
        function test_library_cards() {
            const cells = grid => Helpers.findAll(grid, "miniGridCell", false)
            // Listed in reverse order so that sorting shows: "s00" comes last, with U+1F000 + 49.
            const ids = Array.from({ length: 50 }, (_, i) => "s" + String(i).padStart(2, "0"))
            Rig.fill(50, ids.slice().reverse())
            Rig.setRecents(["s03", "gone", "s01", "s04"])
            Rig.setUsage(["s00", "s01", "s02"])
            const view = makePage(libraryView)
            const favorites = findChild(view, "favoritesGrid")
            verify(findChild(favorites, "miniGridEmpty").visible, "no favorites")
            Rig.setFavorites(ids.slice(0, 31).concat("unknown"))
            const shown = cells(favorites)
            compare(shown.map(cell => cell.tooltip), ids.slice(0, 30).map(id => ":" + id + ":"))
            compare(findChild(shown[0], "miniGridEmoji").text, String.fromCodePoint(0x1F000 + 49))
            verify(!findChild(favorites, "miniGridClear").visible)
            verify(!findChild(favorites, "miniGridEmpty").visible)

            const usage = subtitle(view, "usageRow")
            verify(usage.text.startsWith("3 emoji have learned counts."))
            mouseClick(findChild(view, "clearUsageButton"))
            verify(usage.text.startsWith("0 emoji have learned counts."))
            compare(Object.keys(Rig.appState.emojiUsage).length, 0)
            compare(Rig.appState.favorites.length, 32)

            const recent = findChild(view, "recentGrid")
            compare(cells(recent).map(cell => cell.tooltip), [":s03:", ":s01:", ":s04:"])
            compare(Rig.appState.recents, ["s03", "gone", "s01", "s04"])
            const clear = findChild(recent, "miniGridClear")
            verify(clear.visible)
            mouseClick(clear)
            compare(Rig.appState.recents.length, 0)
            compare(cells(recent).length, 0)
            verify(findChild(recent, "miniGridEmpty").visible)
            verify(!clear.visible)
        }

        // The ids the page shows and the settings file holds.
        function compareListed(view, ids) {
            compare(Helpers.findAll(view, "exceptionID", true).map(text => text.text), ids)
            compare(JSON.parse(Rig.stored("excludedBundleIDs")), ids)
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

        // What is added is stored at once and clears the field; what is refused (here listed
        // already) keeps what was typed. Trimming, blanks and order are the store's own.
        function test_exceptions_adding_and_removing_store_at_once() {
            const view = makePage(exceptionsView)
            compare(add(view, "org.gnome.Terminal"), "")
            compare(add(view, "  firefox\n"), "")
            compareListed(view, ["firefox", "org.gnome.Terminal"])
            verify(!findChild(view, "noExceptionsText").visible)
            compare(add(view, " firefox "), " firefox ")
            compareListed(view, ["firefox", "org.gnome.Terminal"])
            // The application in front before the window is added by its button. (Which
            // application counts is the store's own test.)
            Rig.setLastApplication("org.a")
            mouseClick(findChild(view, "currentAppButton"))
            compareListed(view, ["firefox", "org.a", "org.gnome.Terminal"])

            mouseClick(trashFor(view, "org.a"))
            compareListed(view, ["firefox", "org.gnome.Terminal"])
            mouseClick(trashFor(view, "firefox"))
            mouseClick(trashFor(view, "org.gnome.Terminal"))
            compareListed(view, [])
            verify(findChild(view, "noExceptionsText").visible)
        }

        function test_behavior_toggles_data() {
            return [
                { tag: "master", toggle: "masterEnabledToggle", property: "masterEnabled" },
                { tag: "trailing space", toggle: "trailingSpaceToggle",
                  property: "insertSpaceAfterTrigger" }
            ]
        }
        function test_behavior_toggles(data) {
            const toggle = findChild(makePage(behaviorView), data.toggle)
            const state = Rig.appState
            const start = state[data.property]
            compare(toggle.checked, start)
            // By the pointer, and from elsewhere (the tray menu).
            mouseClick(toggle)
            compare(state[data.property], !start)
            state[data.property] = start
            compare(toggle.checked, start)
        }

        // The launch at login toggle follows the system: a refusal springs back.
        function test_behavior_launch_at_login_springs_back_when_refused() {
            const toggle = findChild(makePage(behaviorView), "launchAtLoginToggle")
            Rig.refuseLoginItem(true)
            mouseClick(toggle)
            compare(Rig.appState.launchAtLogin, false)
            compare(toggle.checked, false)
            compare(Rig.loginItemRegistered(), false)
            Rig.refuseLoginItem(false)
            mouseClick(toggle)
            compare(toggle.checked, true)
            compare(Rig.loginItemRegistered(), true)
        }

        // The first key with a modifier ends the recording and becomes the shortcut; the recorder
        // starts by the pointer or the keyboard, a second press stops it, leaving the page too,
        // and keys reach other controls again. (Which keys are kept, modifiers alone not ending
        // it, is the recorder's test; that the shortcut is let go meanwhile, stored and held at
        // once, the tray's desktop test's.)
        function test_behavior_recorder_takes_the_first_combination() {
            const page = makePage(behaviorView)
            const recorder = findChild(page, "hotkeyRecorder")
            const field = createTemporaryObject(textField, root)
            const text = findChild(recorder, "hotkeyRecorderText")
            compare(text.text, "Ctrl+Alt+E")
            mouseClick(recorder)
            verify(recorder.recording)
            // The key goes nowhere else, whoever has the focus.
            field.forceActiveFocus()
            keyClick(Qt.Key_Q, Qt.ControlModifier | Qt.AltModifier)
            verify(!recorder.recording)
            compare(field.text, "")
            compare(text.text, "Ctrl+Alt+Q")
            // Not recording, keys reach the field again.
            keyClick(Qt.Key_X)
            compare(field.text, "x")

            recorder.forceActiveFocus(Qt.TabFocusReason)
            keyClick(Qt.Key_Return)
            verify(recorder.recording)
            // A click while recording stops it without change.
            mouseClick(recorder)
            verify(!recorder.recording)
            keyClick(Qt.Key_Space)
            verify(recorder.recording)
            // The Space that ends a recording as part of a shortcut starts no new one.
            keyPress(Qt.Key_Space, Qt.ControlModifier | Qt.AltModifier)
            keyPress(Qt.Key_Space, Qt.ControlModifier | Qt.AltModifier, -1)
            keyRelease(Qt.Key_Space, Qt.ControlModifier | Qt.AltModifier)
            verify(!recorder.recording)
            compare(Rig.appState.hotkeyDisplay, "Ctrl+Alt+Space")

            mouseClick(recorder)
            verify(Rig.backend.recorder.recording)
            page.destroy()
            tryVerify(() => !Rig.backend.recorder.recording)
            field.forceActiveFocus()
            keyClick(Qt.Key_E, Qt.ControlModifier)
            keyClick(Qt.Key_Q)
            compare(field.text, "xq")
            compare(Rig.appState.hotkeyDisplay, "Ctrl+Alt+Space")
        }

        // A refused combination leaves the shortcut as it was (and stored so: the store's test),
        // and says why; Escape ends a recording without one, and the old shortcut is held again.
        function test_behavior_recorder_refuses_a_held_combination() {
            Rig.holdCtrlShiftSpaceElsewhere()
            const page = makePage(behaviorView)
            const recorder = findChild(page, "hotkeyRecorder")
            const text = findChild(recorder, "hotkeyRecorderText")
            mouseClick(recorder)
            keyClick(Qt.Key_Space, Qt.ControlModifier | Qt.ShiftModifier)
            verify(!recorder.recording)
            compare(text.text, "Ctrl+Alt+E")
            // The row says why, until the next recording.
            const why = subtitle(page, "pickerShortcutRow")
            compare(why.text, "Ctrl+Shift+Space is taken by another program")
            mouseClick(recorder)
            verify(recorder.recording)
            verify(why.text.indexOf("taken") < 0, why.text)
            keyClick(Qt.Key_Escape)
            verify(!recorder.recording)
            compare(text.text, "Ctrl+Alt+E")
            compare(Rig.grabbedHotkey(), "Ctrl+Alt+E")
        }

        // Each desktop the page can describe: what is marked done, whether Grant is offered,
        // and the warnings the state alone does not say: keys only from X11 apps, carets only
        // after a restart. `through` is a caret state passed on the way (seen while running).
        function test_permissions_states_data() {
            return [
                { tag: "X11, caret on", keys: true, x11Only: false, through: null,
                  caret: Tiklo.On, check: true, grant: false, restart: false },
                { tag: "X11, caret switched on while running", keys: true, x11Only: false,
                  through: Tiklo.Off, caret: Tiklo.On, check: true, grant: false, restart: true },
                { tag: "X11, caret off", keys: true, x11Only: false, through: Tiklo.On,
                  caret: Tiklo.Off, check: false, grant: true, restart: true },
                { tag: "X11, no accessibility bus", keys: true, x11Only: false, through: null,
                  caret: Tiklo.Unavailable, check: false, grant: false, restart: false },
                { tag: "X11, bus not answered yet", keys: true, x11Only: false, through: null,
                  caret: Tiklo.Unknown, check: false, grant: false, restart: false },
                { tag: "Wayland", keys: true, x11Only: true, through: null,
                  caret: Tiklo.On, check: true, grant: false, restart: false },
                { tag: "no key access", keys: false, x11Only: false, through: null,
                  caret: Tiklo.Off, check: false, grant: true, restart: true },
            ]
        }
        function test_permissions_states(data) {
            const view = makePage(permissionsView)
            Rig.appState.accessibilityGranted = data.keys
            Rig.appState.x11ApplicationsOnly = data.x11Only
            if (data.through !== null)
                Rig.appState.caretTracking = data.through
            Rig.appState.caretTracking = data.caret

            compare(findChild(view, "keyAccessCheck").visible, data.keys)
            compare(findChild(view, "caretTrackingCheck").visible, data.check)
            compare(findChild(view, "grantButton").visible, data.grant)
            compare(subtitle(view, "keyAccessRow").text.indexOf("Wayland") >= 0, data.x11Only)
            compare(subtitle(view, "caretTrackingRow").text.indexOf("restart") >= 0, data.restart)
            // Grant only asks: the page changes when the bus reports the change, not before.
            if (data.grant) {
                mouseClick(findChild(view, "grantButton"))
                compare(Rig.accessibilityRequests(), 1)
                verify(findChild(view, "grantButton").visible)
                verify(!findChild(view, "caretTrackingCheck").visible)
            }
        }

        // The welcome guide as it first shows, with no key access yet.
        function test_welcome_walk_through_with_the_keyboard() {
            Rig.appState.accessibilityGranted = false
            const view = createTemporaryObject(welcomeView, root)
            waitForRendering(view)
            const finished = createTemporaryObject(spy, root, { target: view, signalName: "finished" })
            // Each page starts on its button: Space and Enter act on it.
            keyClick(Qt.Key_Space)
            compare(view.step, 1)

            Rig.appState.caretTracking = Tiklo.Off
            verify(findChild(view, "continueButton").activeFocus, "the page starts on Continue")
            // Tab goes forwards through the page's buttons in order, and round.
            keyClick(Qt.Key_Tab)
            verify(findChild(view, "setUpLaterButton").activeFocus, "then Set up later")
            keyClick(Qt.Key_Tab)
            verify(findChild(view, "grantAccessButton").activeFocus, "round to Grant Access")
            keyClick(Qt.Key_Return)
            compare(Rig.accessibilityRequests(), 1)
            verify(findChild(view, "grantAccessButton").visible, "asking alone changes nothing")
            keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Tab)
            verify(findChild(view, "setUpLaterButton").activeFocus)
            keyClick(Qt.Key_Return)
            compare(view.step, 2)
            verify(!Rig.appState.didCompleteOnboarding(), "only finishing records it")

            keyClick(Qt.Key_Enter)
            compare(finished.count, 1)
            verify(Rig.appState.didCompleteOnboarding())
        }
    }
}
