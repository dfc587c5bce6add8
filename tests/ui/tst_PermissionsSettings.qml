// SPDX-License-Identifier: GPL-3.0-or-later
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

        function init() {
            Rig.appState.accessibilityGranted = true
            Rig.appState.x11ApplicationsOnly = false
            Rig.appState.caretTracking = Tiklo.Unknown
        }

        function subtitle(view, row) {
            return findChild(findChild(view, row), "settingRowSubtitle").text
        }

        // Each desktop the page can describe: what is marked done, whether Grant is offered,
        // and where the state alone does not say it, the warning: keys that reach Tiklo only
        // from X11 apps, and applications that report their caret only after a restart.
        // `through` is the caret state passed before the last one (a change seen while
        // running).
        function test_states_data() {
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
        function test_states(data) {
            const view = createTemporaryObject(page, root)
            Rig.appState.accessibilityGranted = data.keys
            Rig.appState.x11ApplicationsOnly = data.x11Only
            if (data.through !== null)
                Rig.appState.caretTracking = data.through
            Rig.appState.caretTracking = data.caret

            compare(findChild(view, "keyAccessCheck").visible, data.keys)
            compare(findChild(view, "caretTrackingCheck").visible, data.check)
            compare(findChild(view, "grantButton").visible, data.grant)
            compare(subtitle(view, "keyAccessRow").indexOf("Wayland") >= 0, data.x11Only)
            compare(subtitle(view, "caretTrackingRow").indexOf("restart") >= 0, data.restart)
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
            verify(!findChild(view, "caretTrackingCheck").visible)

            Rig.appState.caretTracking = Tiklo.On
            verify(!grant.visible)
            verify(findChild(view, "caretTrackingCheck").visible)
        }
    }
}
