// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T

// A small switch tinted with the accent. Bind `isOn` and write it back in onToggled; the
// switch's own changes do not break that binding.
T.Switch {
    id: root

    property alias isOn: root.checked
    // False where the desktop asks for little motion: the knob jumps instead of sliding.
    property bool animated: !Theme.reduceMotion

    implicitWidth: implicitIndicatorWidth + leftPadding + rightPadding
    implicitHeight: implicitIndicatorHeight + topPadding + bottomPadding
    padding: 0
    text: ""
    Accessible.role: Accessible.CheckBox
    Accessible.checkable: true
    Accessible.checked: checked

    indicator: Rectangle {
        objectName: "accentToggleTrack"
        implicitWidth: 32
        implicitHeight: 18
        radius: height / 2
        color: root.checked ? Theme.accent : Theme.borderStrong
        opacity: root.enabled ? 1 : 0.5

        Rectangle {
            width: parent.height - 2
            height: width
            radius: width / 2
            y: 1
            x: root.checked ? parent.width - width - 1 : 1
            color: "white"

            Behavior on x {
                enabled: root.animated
                NumberAnimation {
                    duration: 120
                    easing.type: Easing.OutCubic
                }
            }
        }
    }
    contentItem: Item {}

    // Space toggles a switch by itself; Return does too, as on the other controls.
    Keys.onReturnPressed: event => {
        if (!event.isAutoRepeat) {
            toggle()
            toggled()
        }
    }
    Keys.onEnterPressed: event => {
        if (!event.isAutoRepeat) {
            toggle()
            toggled()
        }
    }

    FocusRing {
        target: root.indicator
        anchors.fill: root.indicator
        visible: root.activeFocus
    }
}
