// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/XkbKeyTranslator.h"

#include "platform/linux/X11Modifiers.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include <xcb/xproto.h>

namespace tiklo {
namespace {

// Real modifiers occupy the first eight modifier indices of every xkbcommon keymap, in X's
// order, so X masks serve as xkbcommon masks unchanged.
constexpr std::uint8_t heldModifiersKeptForText = XCB_MOD_MASK_SHIFT;
constexpr std::uint8_t lockedModifiersDroppedForText =
    XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

// C0 controls, DEL and C1 controls (U+0080..U+009F, encoded C2 80..C2 9F).
bool containsControl(const char* utf8, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x20 || byte == 0x7f) {
            return true;
        }
        if (byte == 0xc2 && i + 1 < size) {
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            if (next >= 0x80 && next <= 0x9f) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

XkbKeyTranslator::~XkbKeyTranslator() {
    setKeymap(nullptr);
}

void XkbKeyTranslator::setKeymap(xkb_keymap* keymap) {
    if (keymap != nullptr) {
        xkb_keymap_ref(keymap);
    }
    xkb_state_unref(textState_);
    xkb_keymap_unref(keymap_);
    keymap_ = keymap;
    textState_ = keymap != nullptr ? xkb_state_new(keymap) : nullptr;
    keySyms_.clear();
    if (keymap_ == nullptr || textState_ == nullptr) {
        return;
    }

    // A key is named by its first-level symbol, the same whatever Shift or Num Lock make it
    // type (";" for the ";" key, KP_End for the keypad's 1), and by the first layout's where
    // it has one, so letter keys keep their names under non-Latin layouts.
    const xkb_keycode_t maxKeycode = xkb_keymap_max_keycode(keymap_);
    keySyms_.assign(static_cast<std::size_t>(maxKeycode) + 1, keysym::none);
    for (xkb_keycode_t key = xkb_keymap_min_keycode(keymap_); key <= maxKeycode; ++key) {
        const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap_, key);
        for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
            const xkb_keysym_t* syms = nullptr;
            if (xkb_keymap_key_get_syms_by_level(keymap_, key, layout, 0, &syms) == 1) {
                keySyms_[key] = syms[0];
                break;
            }
        }
    }
    applyState();
}

void XkbKeyTranslator::setState(const State& state) {
    state_ = state;
    applyState();
}

void XkbKeyTranslator::applyState() {
    modifiers_ =
        X11Modifiers::from(state_.baseModifiers | state_.latchedModifiers | state_.lockedModifiers);
    if (textState_ == nullptr) {
        return;
    }
    // Negative layout numbers are legal in XKB (a latch of -1 steps back); the unsigned
    // wrap-around is what xkbcommon expects and normalises.
    xkb_state_update_mask(textState_, state_.baseModifiers & heldModifiersKeptForText,
                          state_.latchedModifiers & heldModifiersKeptForText,
                          state_.lockedModifiers & ~lockedModifiersDroppedForText & 0xff,
                          static_cast<xkb_layout_index_t>(state_.baseLayout),
                          static_cast<xkb_layout_index_t>(state_.latchedLayout),
                          static_cast<xkb_layout_index_t>(state_.lockedLayout));
}

KeyDown XkbKeyTranslator::translate(xkb_keycode_t keycode) const {
    KeyDown key;
    key.key.modifiers = modifiers_;
    if (textState_ == nullptr ||
        xkb_state_key_get_layout(textState_, keycode) == XKB_LAYOUT_INVALID) {
        return key; // no keymap yet, or no such key in it
    }
    key.key.sym = keycode < keySyms_.size() ? keySyms_[keycode] : keysym::none;

    std::array<char, 64> buffer{};
    const int size = xkb_state_key_get_utf8(textState_, keycode, buffer.data(), buffer.size());
    if (size <= 0) {
        return key; // dead keys and keys without text
    }
    std::string text;
    if (static_cast<std::size_t>(size) < buffer.size()) {
        text.assign(buffer.data(), static_cast<std::size_t>(size));
    } else {
        text.resize(static_cast<std::size_t>(size) + 1);
        xkb_state_key_get_utf8(textState_, keycode, text.data(), text.size());
        text.resize(static_cast<std::size_t>(size));
    }
    if (!containsControl(text.data(), text.size())) {
        key.charactersIgnoringModifiers = std::move(text);
    }
    return key;
}

} // namespace tiklo

namespace tiklo {

std::optional<int> XkbKeyTranslator::digitRowNumber(xkb_keycode_t keycode) const {
    if (keymap_ == nullptr) {
        return std::nullopt;
    }
    // XKB names keys after their place on the keyboard: row E (the digit row), column 1 to 9.
    const std::string_view name = xkb_keymap_key_get_name(keymap_, keycode) != nullptr
                                      ? xkb_keymap_key_get_name(keymap_, keycode)
                                      : "";
    if (name.size() == 4 && name.substr(0, 3) == "AE0" && name[3] >= '1' && name[3] <= '9') {
        return name[3] - '0';
    }
    return std::nullopt;
}

} // namespace tiklo
