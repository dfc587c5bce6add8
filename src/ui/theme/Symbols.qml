// SPDX-License-Identifier: GPL-3.0-or-later
pragma Singleton
import QtQuick

// The program's symbol names and the freedesktop (Adwaita) icons drawn for them.
QtObject {
    readonly property var icons: ({
            "face.smiling": "face-smile-symbolic",
            "person.2": "system-users-symbolic",
            "leaf": "emoji-nature-symbolic",
            "fork.knife": "emoji-food-symbolic",
            "gamecontroller": "applications-games-symbolic",
            "airplane": "airplane-mode-symbolic",
            "lightbulb": "emoji-objects-symbolic",
            "heart": "emote-love-symbolic",
            "flag": "emoji-flags-symbolic",
            "magnifyingglass": "system-search-symbolic",
            "return": "mail-reply-sender-symbolic",
            "square.grid.2x2": "view-grid-symbolic",
            "star": "non-starred-symbolic",
            "star.fill": "starred-symbolic",
            "slider.horizontal.3": "emblem-system-symbolic",
            "nosign": "action-unavailable-symbolic",
            "lock.shield": "channel-secure-symbolic",
            "checkmark.shield.fill": "security-high-symbolic",
            "checkmark.circle.fill": "emblem-default-symbolic",
            "checkmark": "object-select-symbolic",
            "scope": "find-location-symbolic",
            "trash": "user-trash-symbolic",
            "arrow.right": "go-next-symbolic",
            "keyboard": "input-keyboard-symbolic",
            "chart.line.uptrend.xyaxis": "power-profile-performance-symbolic",
            "sparkles": "starred-symbolic"
        })

    // The freedesktop icon name for a symbol, or "" when it has none.
    function iconName(name) {
        return icons[name] || ""
    }

    // An image URL for the symbol painted in `color` (any colour value), or "" for an
    // unknown symbol.
    function source(name, color) {
        const icon = iconName(name)
        if (icon === "")
            return ""
        let url = "image://themeicon/" + icon
        if (color !== undefined)
            url += "?color=" + encodeURIComponent(String(color))
        return url
    }
}
