// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Layouts

// A page title with an optional line of explanation under it.
Column {
    id: root

    property string title
    property string subtitle

    Layout.fillWidth: true
    spacing: 5
    bottomPadding: 2

    Text {
        objectName: "sectionHeaderTitle"
        width: root.width
        text: root.title
        color: Theme.textPrimary
        font.family: Theme.fontFamily
        font.pointSize: Theme.pt(22)
        font.weight: Font.DemiBold
        wrapMode: Text.Wrap
    }
    Text {
        objectName: "sectionHeaderSubtitle"
        width: root.width
        visible: root.subtitle !== ""
        text: root.subtitle
        color: Theme.textSecondary
        font.family: Theme.fontFamily
        font.pointSize: Theme.pt(12.5)
        wrapMode: Text.Wrap
    }
}
