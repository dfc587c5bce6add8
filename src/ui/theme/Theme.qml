// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick
import Tiklo.Theme

// The one fixed dark look of every window: colours and font families.
QtObject {
    readonly property color bg: Qt.rgba(0.106, 0.106, 0.106, 1)
    readonly property color sidebar: Qt.rgba(0.09, 0.09, 0.09, 1)
    readonly property color card: Qt.rgba(0.141, 0.141, 0.141, 1)
    readonly property color cardHover: Qt.rgba(0.173, 0.173, 0.173, 1)
    readonly property color field: Qt.rgba(0.165, 0.165, 0.165, 1)
    readonly property color border: Qt.rgba(1, 1, 1, 0.08)
    readonly property color borderStrong: Qt.rgba(1, 1, 1, 0.14)
    readonly property color selection: Qt.rgba(1, 1, 1, 0.07)
    readonly property color selectionHover: Qt.rgba(1, 1, 1, 0.04)
    readonly property color accent: Qt.rgba(0.08, 0.72, 0.6, 1)
    readonly property color accentSoft: Qt.rgba(0.08, 0.72, 0.6, 0.16)
    readonly property color green: Qt.rgba(0.3, 0.78, 0.47, 1)
    readonly property color red: Qt.rgba(0.92, 0.4, 0.4, 1)
    readonly property color amber: Qt.rgba(0.95, 0.72, 0.33, 1)
    readonly property color textPrimary: Qt.rgba(1, 1, 1, 0.92)
    readonly property color textSecondary: Qt.rgba(1, 1, 1, 0.56)
    readonly property color textTertiary: Qt.rgba(1, 1, 1, 0.38)

    readonly property string fontFamily: Qt.application.font.family
    // Named explicitly: with the generic fallback some emoji come out monochrome.
    readonly property string emojiFamily: "Noto Color Emoji"
    // fontconfig's alias for the desktop's monospaced face.
    readonly property string monoFamily: "monospace"

    // The desktop asks for as little animation as possible: changes happen at once.
    readonly property bool reduceMotion: DesktopPreferences.reduceMotion

    // An animation's length in milliseconds, or none under reduced motion.
    function duration(milliseconds) {
        return reduceMotion ? 0 : milliseconds
    }

    // Sizes in the design are in points of a 72-per-inch logical screen, i.e. logical
    // pixels; Qt's points assume 96 logical dots per inch, so they are scaled down to match.
    function pt(size) {
        return size * 0.75
    }
}
