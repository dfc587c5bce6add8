import QtQuick
import QtTest
import Tiklo.App
import Tiklo.Onboarding
import Tiklo.Theme
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
            DesktopPreferences.reduceMotion = false
        }

        function make() {
            const view = createTemporaryObject(onboarding, root)
            waitForRendering(view)
            return view
        }

        function currentPage(view) {
            for (const name of ["welcomePage", "permissionPage", "donePage"]) {
                if (findChild(view, name).visible)
                    return name
            }
            return ""
        }

        function test_walk_through_with_the_mouse() {
            const view = make()
            compare(currentPage(view), "welcomePage")
            mouseClick(findChild(view, "getStartedButton"))
            compare(currentPage(view), "permissionPage")
            // Continue works without the permission; it only looks disabled.
            mouseClick(findChild(view, "continueButton"))
            compare(currentPage(view), "donePage")

            const finished = createTemporaryObject(spy, root, { target: view, signalName: "finished" })
            verify(!Rig.appState.didCompleteOnboarding())
            mouseClick(findChild(view, "startButton"))
            compare(finished.count, 1)
            verify(Rig.appState.didCompleteOnboarding(), "the flag is stored")
        }

        // The permission page marks what works and offers Grant Access, with a hint naming
        // it, only while there is something to switch on; it follows the store with no action
        // in the window.
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
            compare(findChild(view, "permissionHint").text.indexOf("Grant Access") >= 0, data.grant)
        }

        // The addon's line follows the live state; only "on" is marked done.
        function test_input_method_line() {
            const view = make()
            view.step = 1
            const line = findChild(view, "inputMethodStatus")
            const cases = [[Tiklo.On, ": on"], [Tiklo.Off, ": off"],
                           [Tiklo.NotInstalled, ": not installed"], [Tiklo.Unknown, "fcitx5…"]]
            for (const [state, end] of cases) {
                Rig.appState.inputMethodSearch = state
                verify(findChild(line, "statusText").text.endsWith(end), end)
                compare(line.good, state === Tiklo.On)
            }
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

        function test_reduced_motion_changes_at_once() {
            compare(Theme.duration(150), 150)
            DesktopPreferences.reduceMotion = true
            compare(Theme.duration(150), 0)
            const view = make()
            mouseClick(findChild(view, "getStartedButton"))
            // No fade: the new page is fully there at once.
            compare(findChild(view, "pages").opacity, 1)
            const dot = findChild(view, "progressDot1")
            verify(Qt.colorEqual(dot.color, Theme.accent), "the dot is filled at once")
        }
    }
}
