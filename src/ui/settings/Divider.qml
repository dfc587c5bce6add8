// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts
import Tiklo.Theme

// A 1 pt rule between rows.
Rectangle {
    objectName: "divider"
    Layout.fillWidth: true
    implicitHeight: 1
    color: Theme.border
}
