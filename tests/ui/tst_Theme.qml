import QtQuick
import QtTest
import Tiklo.Theme

Item {
    id: root
    width: 480
    height: 360

    Component { id: pillButton; PillButton { title: "Remove" } }
    Component { id: sectionLabel; SectionLabel {} }
    Component { id: textField; ThemedTextField { width: 240 } }
    Component { id: settingRow; SettingRow { width: 320; title: "Launch at login"; AccentToggle {} } }
    Component {
        id: boundToggle
        Item {
            property bool stored: true
            property alias toggle: toggle
            AccentToggle { id: toggle; isOn: parent.stored; onToggled: parent.stored = isOn }
        }
    }
    Component {
        id: cardOnCanvas
        Rectangle {
            width: 100; height: 60; color: Theme.bg
            Card { x: 10; y: 10; width: 80; height: 40 }
        }
    }
    FontMetrics { id: metrics }

    TestCase {
        name: "Theme"
        when: windowShown

        // Item colours keep 8 bits a channel, the palette more.
        function sameColor(a, b) {
            a = Qt.color(a); b = Qt.color(b)
            const step = 1.5 / 255
            return Math.abs(a.r - b.r) < step && Math.abs(a.g - b.g) < step
                    && Math.abs(a.b - b.b) < step && Math.abs(a.a - b.a) < step
        }
        function compareColor(actual, expected, what) {
            verify(sameColor(actual, expected), what + ": " + actual + " is not " + expected)
        }

        function test_palette() {
            compareColor(Theme.bg, Qt.rgba(0.106, 0.106, 0.106, 1), "bg")
            compareColor(Theme.card, Qt.rgba(0.141, 0.141, 0.141, 1), "card")
            compareColor(Theme.accent, Qt.rgba(0.08, 0.72, 0.6, 1), "accent")
            compareColor(Theme.accentSoft, Qt.rgba(0.08, 0.72, 0.6, 0.16), "accentSoft")
            compareColor(Theme.borderStrong, Qt.rgba(1, 1, 1, 0.14), "borderStrong")
            compareColor(Theme.textPrimary, Qt.rgba(1, 1, 1, 0.92), "textPrimary")
            compareColor(Theme.red, Qt.rgba(0.92, 0.4, 0.4, 1), "red")
            compare(Theme.emojiFamily, "Noto Color Emoji")
        }

        function test_pill_button_data() {
            return [
                { tag: "plain", prominent: false, destructive: false, text: Theme.textPrimary,
                  fill: Theme.field, hoverFill: Theme.cardHover, outline: Theme.borderStrong },
                { tag: "destructive", prominent: false, destructive: true, text: Theme.red,
                  fill: Theme.field, hoverFill: Theme.cardHover, outline: Theme.borderStrong },
                { tag: "prominent and destructive", prominent: true, destructive: true, text: "white",
                  fill: Theme.accent, hoverFill: Theme.accent, outline: "transparent" }
            ]
        }
        function test_pill_button(data) {
            const button = createTemporaryObject(pillButton, root,
                                                 { prominent: data.prominent, destructive: data.destructive })
            const title = findChild(button, "pillButtonTitle")
            compareColor(title.color, data.text, "text")
            compareColor(button.color, data.fill, "fill")
            compareColor(button.border.color, data.outline, "outline")
            mouseMove(button, button.width / 2, button.height / 2)
            tryCompare(button, "hovering", true)
            compareColor(button.color, data.hoverFill, "hovered fill")
            const clicks = createTemporaryObject(spy, root, { target: button, signalName: "clicked" })
            mouseClick(button)
            compare(clicks.count, 1)
            mouseMove(root, root.width - 1, root.height - 1)
        }

        // Inner stroke: the pixels just outside the card stay the background.
        function test_card_outline_is_inside_the_frame() {
            const canvas = createTemporaryObject(cardOnCanvas, root)
            waitForRendering(canvas)
            const image = grabImage(canvas)
            const background = image.pixel(5, 30), fill = image.pixel(50, 30)
            for (const [x, y] of [[9, 30], [90, 30], [50, 9], [50, 50]])
                verify(sameColor(image.pixel(x, y), background), "outside at " + x + "," + y)
            for (const [x, y] of [[10, 30], [89, 30], [50, 10], [50, 49]])
                verify(image.pixel(x, y).r > fill.r, "stroke at " + x + "," + y)
        }

        function test_section_label_is_upper_case() {
            const label = createTemporaryObject(sectionLabel, root, { title: "Categories" })
            compare(label.text, "CATEGORIES")
        }

        function test_themed_text_field_mono() {
            const mono = createTemporaryObject(textField, root, { mono: true, placeholder: "com.example.App" })
            const plain = createTemporaryObject(textField, root, { y: 50 })
            const placeholder = findChild(mono, "themedTextFieldPlaceholder")
            compare(placeholder.text, "com.example.App")
            compare(mono.font.pointSize, plain.font.pointSize)
            metrics.font = mono.font
            compare(metrics.advanceWidth("iiii"), metrics.advanceWidth("WWWW"))
            metrics.font = plain.font
            verify(metrics.advanceWidth("iiii") < metrics.advanceWidth("WWWW"))
            mono.forceActiveFocus()
            keyClick(Qt.Key_A)
            compare(mono.text, "a")
            verify(!placeholder.visible)
        }

        function test_setting_row_grows_with_a_long_subtitle() {
            const row = createTemporaryObject(settingRow, root, { subtitle: "Short." })
            const shortHeight = row.implicitHeight
            row.subtitle = "A much longer explanation that cannot fit on one line of a row this "
                    + "narrow, so it has to wrap onto several lines instead of being cut."
            tryVerify(() => row.implicitHeight > shortHeight + 20, 1000, "grows")
            const texts = findChild(row, "settingRowTexts"), trailing = findChild(row, "settingRowTrailing")
            const gap = trailing.mapToItem(row, 0, 0).x - texts.mapToItem(row, texts.width, 0).x
            verify(gap >= 16, "gap " + gap)
        }

        // The switch writes back through onToggled without breaking the binding to its store.
        function test_accent_toggle_keeps_its_binding() {
            const holder = createTemporaryObject(boundToggle, root)
            mouseClick(holder.toggle)
            compare(holder.stored, false)
            holder.stored = true
            compare(holder.toggle.isOn, true)
        }
    }

    Component { id: spy; SignalSpy {} }
}
