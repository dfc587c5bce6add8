// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtTest
import Tiklo.App
import Tiklo.Onboarding
import Tiklo.TestSupport

Item {
    id: root
    width: 560
    height: 520

    Component {
        id: onboarding
        OnboardingView {
            appState: Rig.appState
        }
    }
    Component { id: spy; SignalSpy {} }

    TestCase {
        name: "Onboarding"
        when: windowShown

        function init() {
            Rig.appState.accessibilityGranted = false
            Rig.appState.x11ApplicationsOnly = false
            Rig.appState.caretTracking = Tiklo.Unknown
            Rig.appState.setDidCompleteOnboarding(false)
        }

        function make() {
            const view = createTemporaryObject(onboarding, root)
            waitForRendering(view)
            return view
        }

        // The permission page marks what works and offers Grant Access only while there is
        // something to switch on; it follows the store with no action in the window.
        function test_permission_page_follows_the_store_data() {
            return [
                { tag: "nothing yet", keys: false, x11Only: false, caret: Tiklo.Unknown, grant: false },
                { tag: "keys, caret off", keys: true, x11Only: false, caret: Tiklo.Off, grant: true },
                { tag: "keys, caret on", keys: true, x11Only: false, caret: Tiklo.On, grant: false },
                { tag: "Wayland, no bus", keys: true, x11Only: true, caret: Tiklo.Unavailable,
                  grant: false },
            ]
        }
        function test_permission_page_follows_the_store(data) {
            const view = make()
            view.step = 1
            Rig.appState.accessibilityGranted = data.keys
            Rig.appState.x11ApplicationsOnly = data.x11Only
            Rig.appState.caretTracking = data.caret
            compare(findChild(view, "keyStatus").good, data.keys)
            compare(findChild(view, "caretStatus").good, data.caret === Tiklo.On)
            compare(findChild(view, "grantAccessButton").visible, data.grant)
        }

        function test_walk_through_with_the_keyboard() {
            const view = make()
            const finished = createTemporaryObject(spy, root, { target: view, signalName: "finished" })
            verify(findChild(view, "getStartedButton").activeFocus, "starts on Get started")
            keyClick(Qt.Key_Space)
            compare(view.step, 1)

            Rig.appState.caretTracking = Tiklo.Off
            verify(findChild(view, "continueButton").activeFocus, "the page starts on Continue")
            // Tab goes forwards through the page's buttons in order, and round.
            keyClick(Qt.Key_Tab)
            verify(findChild(view, "setUpLaterButton").activeFocus, "then Set up later")
            keyClick(Qt.Key_Tab)
            verify(findChild(view, "grantAccessButton").activeFocus, "round to Grant Access")
            const before = Rig.accessibilityRequests
            keyClick(Qt.Key_Return)
            compare(Rig.accessibilityRequests, before + 1)
            verify(findChild(view, "grantAccessButton").visible, "asking alone changes nothing")
            keyClick(Qt.Key_Tab)
            keyClick(Qt.Key_Tab)
            verify(findChild(view, "setUpLaterButton").activeFocus)
            keyClick(Qt.Key_Return)
            compare(view.step, 2)
            verify(!Rig.appState.didCompleteOnboarding(), "only finishing records it")

            verify(findChild(view, "startButton").activeFocus, "the last page starts on its button")
            keyClick(Qt.Key_Enter)
            compare(finished.count, 1)
            verify(Rig.appState.didCompleteOnboarding())
        }
    }
}
