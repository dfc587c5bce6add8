// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Tiklo.Picker
import Tiklo.Session
import Tiklo.TestSupport

Item {
    id: root
    width: 460
    height: 360

    Component { id: pickerView; InlineEmojiPickerView { appState: Rig.appState } }

    TestCase {
        id: testCase
        name: "InlinePicker"
        when: windowShown

        readonly property PickerSession session: Rig.session
        property Item view

        function init() {
            Rig.reset()
        }
        // Views go before the session they watch is reset, as in the program.
        function cleanup() {
            if (view) {
                view.destroy()
                view = null
                wait(0)
            }
        }

        function makeView() {
            view = createTemporaryObject(pickerView, root, { session: session })
            waitForItemPolished(child("resultsList"))
            return view
        }
        function child(name) {
            const found = findChild(view, name)
            verify(found, "no " + name)
            return found
        }
        function row(index) {
            const list = child("resultsList")
            list.positionViewAtIndex(index, ListView.Contain)
            verify(list.itemAtIndex(index), "no row " + index)
            return list.itemAtIndex(index)
        }
        function rowChild(index, name) {
            return findChild(row(index), name)
        }
        // The top of row `index` within the list's viewport.
        function rowTop(index) {
            const list = child("resultsList")
            return list.itemAtIndex(index).y - list.contentY
        }

        function test_ctrl_digit_badges_on_the_first_nine_rows() {
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
        }

        function test_hover_and_click() {
            Rig.fill(4, ["fire", "heart", "joy", "sparkles"])
            session.selectedIndex = 1
            makeView()
            const hovered = row(2)
            mouseMove(hovered, hovered.width / 2, hovered.height / 2)
            tryCompare(hovered, "hovering", true)
            // Resting on a row does not move the selection Return types.
            compare(session.selectedIndex, 1)

            // A click inserts that row, and the popup goes.
            mouseClick(hovered)
            compare(Rig.typed, [hovered.emoji])
            compare(Rig.hides, 1)
            mouseMove(root, root.width - 1, root.height - 1)
        }

        // A right click on a row of an emoji that takes a tone offers the tones; the tone
        // chosen shows in the row, nothing is typed. Other rows offer nothing.
        function test_the_row_menu_chooses_a_tone_for_that_emoji() {
            Rig.fill(1, ["fire"])
            Rig.addHand("wave")
            makeView()
            const menu = child("emojiToneMenu")
            // The hand ranks first: it is one of the common emoji.
            const hand = row(0).supportsSkinTone ? 0 : 1
            mouseClick(row(1 - hand), 10, 10, Qt.RightButton)
            wait(50)
            verify(!menu.opened)
            mouseClick(row(hand), 10, 10, Qt.RightButton)
            tryVerify(() => menu.opened)
            verify(!menu.itemAt(7).enabled) // "Use Default Tone": none chosen yet
            mouseClick(menu.itemAt(5)) // Dark
            tryVerify(() => !menu.visible)
            compare(rowChild(hand, "rowEmoji").text, "\u{1F44B}\u{1F3FF}")
            compare(Rig.typed, [])
            compare(Rig.hides, 0)
        }

        function test_the_field_has_the_keyboard_and_writes_the_query() {
            makeView()
            // Keys typed right after the popup appears go to the field, not nowhere.
            verify(view.searchFocused)
            child("searchField").focus = false
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
            compare(child("searchField").text, "")
            keyClick(Qt.Key_Escape)
            compare(Rig.closes, 1)
        }

        // The session announces the query, resets the highlight, then gives its results; the
        // list must not rely on a model reset to get back to the top.
        function test_a_new_query_puts_the_first_result_at_the_top_data() {
            return [{ tag: "results replaced", replace: true }, { tag: "results kept", replace: false }]
        }
        function test_a_new_query_puts_the_first_result_at_the_top(data) {
            Rig.fill(40)
            makeView()
            session.selectedIndex = 30
            tryVerify(() => child("resultsList").contentY > 200)
            session.query = "item"
            session.selectedIndex = 0
            if (data.replace)
                Rig.fill(35)
            wait(0)
            waitForItemPolished(child("resultsList"))
            compare(rowTop(0), child("resultsList").topMargin) // there at once, not on the way
        }
    }
}
