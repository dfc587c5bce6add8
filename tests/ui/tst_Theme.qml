import QtQuick
import QtTest
import Tiklo.Theme

Item {
    id: root
    width: 480
    height: 360

    Component { id: settingRow; SettingRow { width: 320; title: "Launch at login"; AccentToggle {} } }
    Component {
        id: boundToggle
        Item {
            property bool stored: true
            property alias toggle: toggle
            AccentToggle { id: toggle; isOn: parent.stored; onToggled: parent.stored = isOn }
        }
    }

    TestCase {
        name: "Theme"
        when: windowShown

        // A long subtitle wraps and pushes the row taller instead of running under the switch.
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
}
