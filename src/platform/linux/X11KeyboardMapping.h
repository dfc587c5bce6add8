// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <xcb/xcb.h>

namespace tiklo {

// A snapshot of the core keyboard mapping, the one XTEST clients resolve keysyms against:
// which keycodes produce which keysyms, and which produce none at all.
class X11KeyboardMapping {
public:
    // Rows of `keysymsPerKeycode` keysyms, one per keycode from `firstKeycode` on.
    X11KeyboardMapping(xcb_keycode_t firstKeycode, int keysymsPerKeycode,
                       std::vector<xcb_keysym_t> keysyms);

    // Asks the server; nothing when it does not answer.
    static std::optional<X11KeyboardMapping> read(xcb_connection_t* connection);

    // A key producing `keysym`, preferring keys that produce it unshifted.
    std::optional<xcb_keycode_t> keycodeFor(xcb_keysym_t keysym) const;

    // Keycodes without any keysym, lowest first, which Tiklo may map for a moment to type
    // what the keymap lacks. Keycode 8 is never offered: some servers and toolkits treat it
    // as no key at all.
    std::vector<xcb_keycode_t> spareKeycodes() const;

    int keysymsPerKeycode() const { return perKeycode_; }

private:
    xcb_keycode_t first_;
    int perKeycode_;
    std::vector<xcb_keysym_t> keysyms_;
};

} // namespace tiklo
