// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import Tiklo.App
import Tiklo.Session

// The two-segment switch between the grid and the list, bound to the stored layout.
SegmentedSwitch {
    id: root

    required property AppState appState

    implicitWidth: 112
    choices: PickerChoices.layouts
    valueKey: "mode"
    namePrefix: "layout"
    current: appState.pickerMode
    onChose: value => root.appState.pickerMode = value
}
