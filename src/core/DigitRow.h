// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiklo {

// The digit row by the place of its keys, as the input methods report them: X keycodes for
// fcitx5, the kernel's evdev codes (8 less) for IBus. Each front end translates here, once.
struct DigitRow {
    // X keycodes of the keys that type "1" and "0" on a US keyboard; "2" to "9" lie between.
    static constexpr unsigned firstXKeycode = 10;
    static constexpr unsigned zeroXKeycode = 19;
    // X numbers keys from 8 where evdev numbers them from 0.
    static constexpr unsigned evdevToX = 8;

    // Key::digitRow of the key with X keycode `code`: 1 to 10, or 0 off the row.
    static constexpr int ofXKeycode(unsigned code) {
        return code >= firstXKeycode && code <= zeroXKeycode
                   ? static_cast<int>(code - firstXKeycode) + 1
                   : 0;
    }
    static constexpr int ofEvdevCode(unsigned code) { return ofXKeycode(code + evdevToX); }
};

} // namespace tiklo
