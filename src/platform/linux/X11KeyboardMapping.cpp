// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11KeyboardMapping.h"

#include "platform/linux/X11Reply.h"

namespace tiklo {
namespace {

constexpr xcb_keycode_t firstUsableKeycode = 9;

} // namespace

X11KeyboardMapping::X11KeyboardMapping(xcb_keycode_t firstKeycode, int keysymsPerKeycode,
                                       std::vector<xcb_keysym_t> keysyms)
    : first_(firstKeycode), perKeycode_(keysymsPerKeycode > 0 ? keysymsPerKeycode : 0),
      keysyms_(std::move(keysyms)) {
    if (perKeycode_ > 0) {
        keysyms_.resize(keysyms_.size() - keysyms_.size() % perKeycode_); // whole rows only
    }
}

std::optional<X11KeyboardMapping> X11KeyboardMapping::read(xcb_connection_t* connection) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (setup == nullptr) {
        return std::nullopt;
    }
    const auto cookie = xcb_get_keyboard_mapping(
        connection, setup->min_keycode,
        static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1));
    const Reply<xcb_get_keyboard_mapping_reply_t> reply(
        xcb_get_keyboard_mapping_reply(connection, cookie, nullptr));
    if (!reply) {
        return std::nullopt;
    }
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int count = xcb_get_keyboard_mapping_keysyms_length(reply.get());
    return X11KeyboardMapping(setup->min_keycode, reply->keysyms_per_keycode,
                              std::vector<xcb_keysym_t>(keysyms, keysyms + count));
}

std::optional<xcb_keycode_t> X11KeyboardMapping::keycodeFor(xcb_keysym_t keysym) const {
    if (perKeycode_ == 0 || keysym == XCB_NO_SYMBOL) {
        return std::nullopt;
    }
    const std::size_t rows = keysyms_.size() / perKeycode_;
    for (int column = 0; column < perKeycode_; ++column) {
        for (std::size_t row = 0; row < rows; ++row) {
            if (keysyms_[row * perKeycode_ + column] == keysym) {
                return static_cast<xcb_keycode_t>(first_ + row);
            }
        }
    }
    return std::nullopt;
}

std::vector<xcb_keycode_t> X11KeyboardMapping::spareKeycodes() const {
    std::vector<xcb_keycode_t> spare;
    if (perKeycode_ == 0) {
        return spare;
    }
    const std::size_t rows = keysyms_.size() / perKeycode_;
    for (std::size_t row = 0; row < rows && first_ + row <= 255; ++row) {
        const auto keycode = static_cast<xcb_keycode_t>(first_ + row);
        if (keycode < firstUsableKeycode) {
            continue;
        }
        bool empty = true;
        for (int column = 0; column < perKeycode_ && empty; ++column) {
            empty = keysyms_[row * perKeycode_ + column] == XCB_NO_SYMBOL;
        }
        if (empty) {
            spare.push_back(keycode);
        }
    }
    return spare;
}

} // namespace tiklo
