import QtQuick
import QtTest
import Tiklo.App
import Tiklo.Settings
import Tiklo.TestSupport

Item {
    id: root
    width: 552
    height: 560

    Component {
        id: page
        PermissionsSettingsView {
            width: root.width
            height: root.height
            appState: Rig.appState
        }
    }

    TestCase {
        name: "PermissionsSettings"
        when: windowShown

        readonly property string keysGranted: "Granted. Semicolon search can work in other apps."
        readonly property string keysX11Only: "Granted for X11 apps only: in this Wayland session, keys typed into Wayland apps never reach Tiklo."
        readonly property string keysMissing: "Required for semicolon search and direct insertion. This display does not offer it: Tiklo needs an X11 session."
        readonly property string caretOn: "On. The popup opens at the caret of applications that report it."
        readonly property string caretOnRestart: "On. Applications started before it was switched on report their caret after a restart."
        readonly property string caretOff: "Off. The popup opens near the mouse pointer, and password fields are not recognised. Applications started before it is switched on need a restart to report their caret."
        readonly property string caretMissing: "This desktop has no accessibility bus (the at-spi2-core package provides it). The popup opens near the mouse pointer."
        readonly property string caretAsking: "Asking the desktop's accessibility bus…"

        function init() {
            Rig.appState.accessibilityGranted = true
            Rig.appState.x11ApplicationsOnly = false
            Rig.appState.caretTracking = Tiklo.Unknown
        }

        function subtitle(view, row) {
            return findChild(findChild(view, row), "settingRowSubtitle").text
        }

        // Each desktop the page can describe; `through` is the caret state passed before the
        // last one (a change seen while running).
        function test_states_data() {
            return [
                { tag: "X11, caret on from the start", keys: true, x11Only: false, through: null,
                  caret: Tiklo.On, keyText: keysGranted, caretText: caretOn, check: true, grant: false },
                { tag: "X11, caret switched on while running", keys: true, x11Only: false, through: Tiklo.Off,
                  caret: Tiklo.On, keyText: keysGranted, caretText: caretOnRestart, check: true, grant: false },
                { tag: "X11, caret off", keys: true, x11Only: false, through: Tiklo.On,
                  caret: Tiklo.Off, keyText: keysGranted, caretText: caretOff, check: false, grant: true },
                { tag: "X11, no accessibility bus", keys: true, x11Only: false, through: null,
                  caret: Tiklo.Unavailable, keyText: keysGranted, caretText: caretMissing, check: false, grant: false },
                { tag: "X11, bus not answered yet", keys: true, x11Only: false, through: null,
                  caret: Tiklo.Unknown, keyText: keysGranted, caretText: caretAsking, check: false, grant: false },
                { tag: "Wayland", keys: true, x11Only: true, through: null,
                  caret: Tiklo.On, keyText: keysX11Only, caretText: caretOn, check: true, grant: false },
                { tag: "no key access", keys: false, x11Only: false, through: null,
                  caret: Tiklo.Off, keyText: keysMissing, caretText: caretOff, check: false, grant: true },
            ]
        }
        function test_states(data) {
            const view = createTemporaryObject(page, root)
            Rig.appState.accessibilityGranted = data.keys
            Rig.appState.x11ApplicationsOnly = data.x11Only
            if (data.through !== null)
                Rig.appState.caretTracking = data.through
            Rig.appState.caretTracking = data.caret

            compare(subtitle(view, "keyAccessRow"), data.keyText)
            compare(findChild(view, "keyAccessCheck").visible, data.keys)
            compare(subtitle(view, "caretTrackingRow"), data.caretText)
            compare(findChild(view, "caretTrackingCheck").visible, data.check)
            compare(findChild(view, "grantButton").visible, data.grant)
        }

        // The addon's row follows the live state; only "on" is marked done.
        function test_input_method_row() {
            const view = createTemporaryObject(page, root)
            const cases = [[Tiklo.On, "On."], [Tiklo.Off, "Off."],
                           [Tiklo.NotInstalled, "Not installed."], [Tiklo.Unknown, "Asking fcitx5"]]
            for (const [state, start] of cases) {
                Rig.appState.inputMethodSearch = state
                verify(subtitle(view, "inputMethodRow").startsWith(start), start)
                compare(findChild(view, "inputMethodCheck").visible, state === Tiklo.On)
            }
        }

        // "Grant" only asks: the page changes when the bus reports the change, not before.
        function test_grant_asks_and_waits_for_the_bus() {
            Rig.appState.caretTracking = Tiklo.Off
            const view = createTemporaryObject(page, root)
            const grant = findChild(view, "grantButton")
            const before = Rig.accessibilityRequests
            mouseClick(grant)
            compare(Rig.accessibilityRequests, before + 1)
            verify(grant.visible)
            compare(subtitle(view, "caretTrackingRow"), caretOff)

            // The keyboard reaches it with Tab and presses it with Space or Return.
            view.forceActiveFocus()
            keyClick(Qt.Key_Tab)
            verify(grant.activeFocus, "Tab reaches Grant")
            keyClick(Qt.Key_Space)
            keyClick(Qt.Key_Return)
            compare(Rig.accessibilityRequests, before + 3)

            Rig.appState.caretTracking = Tiklo.On
            verify(!grant.visible)
            compare(subtitle(view, "caretTrackingRow"), caretOnRestart)
            verify(findChild(view, "caretTrackingCheck").visible)
        }
    }
}
