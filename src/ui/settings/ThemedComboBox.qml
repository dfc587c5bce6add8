// SPDX-License-Identifier: GPL-3.0-or-later
import QtQuick
import QtQuick.Templates as T
import Tiklo.Theme

// A pop-up menu of texts in the dark look. Space opens it, Up and Down change the choice.
T.ComboBox {
    id: root

    implicitWidth: 180
    implicitHeight: 28
    leftPadding: 10
    rightPadding: 26

    delegate: T.ItemDelegate {
        id: option
        required property string modelData
        required property int index
        width: root.popup.width - 8
        x: 4
        implicitHeight: 26
        leftPadding: 8
        highlighted: root.highlightedIndex === option.index
        contentItem: Text {
            text: option.modelData
            color: Theme.textPrimary
            font.family: Theme.fontFamily
            font.pointSize: Theme.pt(12)
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
        background: Rectangle {
            radius: 5
            color: option.highlighted ? Theme.accentSoft : "transparent"
        }
    }

    contentItem: Text {
        objectName: "comboBoxText"
        text: root.displayText
        color: Theme.textPrimary
        font.family: Theme.fontFamily
        font.pointSize: Theme.pt(12)
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    indicator: Text {
        x: root.width - width - 10
        y: (root.height - height) / 2
        text: "\u25BE"
        color: Theme.textSecondary
        font.pointSize: Theme.pt(11)
    }

    background: Rectangle {
        radius: 7
        color: root.hovered ? Theme.cardHover : Theme.field
        border.width: root.activeFocus ? 2 : 1
        border.color: root.activeFocus ? Theme.accent : Theme.borderStrong
    }

    popup: T.Popup {
        y: root.height + 2
        width: root.width
        implicitHeight: contentItem.implicitHeight + 8
        padding: 0
        topPadding: 4
        bottomPadding: 4

        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: root.popup.visible ? root.delegateModel : null
            currentIndex: root.highlightedIndex
        }
        background: Rectangle {
            radius: 7
            color: Theme.card
            border.width: 1
            border.color: Theme.borderStrong
        }
    }
}
