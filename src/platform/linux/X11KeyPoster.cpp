// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11KeyPoster.h"

#include "platform/linux/X11Reply.h"
#include "platform/linux/X11TypingPlan.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include <xcb/xtest.h>

namespace tiklo {
namespace {

// Every keysym is mapped at both of the first two levels, so a held Shift types the same.
constexpr std::uint8_t mappedLevels = 2;

// The modifiers that would turn typed keys into shortcuts: Control, Alt (Mod1), Super (Mod4).
constexpr std::uint16_t shortcutModifiers = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
// Their rows in the core modifier mapping.
constexpr std::array<int, 3> shortcutModifierRows{2, 3, 6};

} // namespace

// Spare keycodes mapped while text is typed, batch after batch; the destructor gives every
// one of them its empty mapping back, whatever happened in between.
class X11KeyPoster::BorrowedKeycodes {
public:
    explicit BorrowedKeycodes(xcb_connection_t* connection) : connection_(connection) {}
    ~BorrowedKeycodes() {
        if (!keycodes_.empty()) {
            change(keycodes_, [](xcb_keycode_t) { return xcb_keysym_t{XCB_NO_SYMBOL}; });
        }
    }
    BorrowedKeycodes(const BorrowedKeycodes&) = delete;
    BorrowedKeycodes& operator=(const BorrowedKeycodes&) = delete;

    // True when the server took every mapping. Waits for it, so the mapping is in place
    // (and announced to every client) on return. A keycode borrowed for an earlier batch is
    // mapped over directly: every change makes every client reload its keymap.
    bool map(const std::vector<std::pair<xcb_keycode_t, xcb_keysym_t>>& mappings) {
        std::vector<xcb_keycode_t> keycodes;
        for (const auto& mapping : mappings) {
            keycodes.push_back(mapping.first);
        }
        std::sort(keycodes.begin(), keycodes.end());
        // Recorded before anything is sent: a half-done change is undone all the same.
        std::vector<xcb_keycode_t> all;
        std::set_union(keycodes_.begin(), keycodes_.end(), keycodes.begin(), keycodes.end(),
                       std::back_inserter(all));
        keycodes_ = std::move(all);
        return change(keycodes, [&](xcb_keycode_t keycode) {
            for (const auto& [mapped, keysym] : mappings) {
                if (mapped == keycode) {
                    return keysym;
                }
            }
            return xcb_keysym_t{XCB_NO_SYMBOL};
        });
    }

private:
    // One request per run of consecutive keycodes (each request makes every client reload
    // its keymap, so fewer is kinder), then waits for all of them.
    template <typename KeysymOf>
    bool change(const std::vector<xcb_keycode_t>& sorted, KeysymOf keysymOf) {
        std::vector<xcb_void_cookie_t> cookies;
        for (std::size_t start = 0; start < sorted.size();) {
            std::size_t end = start + 1;
            while (end < sorted.size() && sorted[end] == sorted[end - 1] + 1) {
                ++end;
            }
            std::vector<xcb_keysym_t> keysyms;
            for (std::size_t i = start; i < end; ++i) {
                keysyms.insert(keysyms.end(), mappedLevels, keysymOf(sorted[i]));
            }
            cookies.push_back(xcb_change_keyboard_mapping_checked(
                connection_, static_cast<std::uint8_t>(end - start), sorted[start], mappedLevels,
                keysyms.data()));
            start = end;
        }
        bool ok = true;
        for (const xcb_void_cookie_t cookie : cookies) {
            const Reply<xcb_generic_error_t> error(xcb_request_check(connection_, cookie));
            ok = ok && !error;
        }
        return ok && xcb_connection_has_error(connection_) == 0;
    }

    xcb_connection_t* connection_;
    std::vector<xcb_keycode_t> keycodes_;
};

X11KeyPoster::X11KeyPoster(X11InputConnection& input, X11KeyboardHold& hold,
                           SyntheticEventLedger& ledger, Sleeper& sleeper)
    : X11KeyPoster(input, hold, ledger, sleeper, Options{}) {}

X11KeyPoster::X11KeyPoster(X11InputConnection& input, X11KeyboardHold& hold,
                           SyntheticEventLedger& ledger, Sleeper& sleeper, Options options)
    : input_(input), hold_(hold), ledger_(ledger), sleeper_(sleeper), options_(options) {}

X11KeyPoster::~X11KeyPoster() {
    if (available()) {
        finishTyping();
    }
}

bool X11KeyPoster::available() const {
    return input_.hasXTest() && input_.usable();
}

bool X11KeyPoster::awaitFocus(const RunningApplication& application,
                              std::chrono::milliseconds focusTimeout,
                              std::chrono::milliseconds answerTimeout) {
    const auto window = static_cast<xcb_window_t>(application.window);
    if (!available() || window == XCB_WINDOW_NONE) {
        return false;
    }
    // The window manager's word that the window is active is not enough: the keyboard focus
    // itself must be there, and the application must have taken it in. Toolkits pass the
    // focus on from their window to a child of it when they get it (GTK does): a key sent in
    // between is lost, so the focus must also have stayed put while the application answered.
    const auto focusDeadline = std::chrono::steady_clock::now() + focusTimeout;
    while (true) {
        const std::optional<xcb_window_t> focus = input_.focusWithin(window);
        if (!focus) {
            if (std::chrono::steady_clock::now() >= focusDeadline) {
                return false;
            }
            sleeper_.sleepMicroseconds(pollInterval);
            continue;
        }
        if (!input_.answersPings(window)) {
            return true;
        }
        if (!input_.ping(window, answerTimeout)) {
            return false;
        }
        if (input_.focusWithin(window) == focus ||
            std::chrono::steady_clock::now() >= focusDeadline) {
            return true;
        }
    }
}

std::uint16_t X11KeyPoster::heldModifiers() {
    xcb_connection_t* connection = input_.get();
    const Reply<xcb_query_pointer_reply_t> pointer(
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, input_.root()), nullptr));
    return pointer ? pointer->mask & shortcutModifiers : 0;
}

void X11KeyPoster::releaseModifiers(std::chrono::milliseconds timeout) {
    if (!available()) {
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (heldModifiers() != 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        sleeper_.sleepMicroseconds(pollInterval);
    }
    if (heldModifiers() == 0) {
        return;
    }
    // Still held: let go of them, as xdotool's --clearmodifiers does. A key held on a
    // keyboard of its own (not through XTEST) may stay down; nothing better is possible.
    xcb_connection_t* connection = input_.get();
    const Reply<xcb_get_modifier_mapping_reply_t> mapping(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    const Reply<xcb_query_keymap_reply_t> keymap(
        xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr));
    if (!mapping || !keymap) {
        return;
    }
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(mapping.get());
    const int perModifier = mapping->keycodes_per_modifier;
    hold_.postUnheld([&] {
        for (const int row : shortcutModifierRows) {
            for (int i = 0; i < perModifier; ++i) {
                const xcb_keycode_t keycode = keycodes[row * perModifier + i];
                if (keycode != 0 && (keymap->keys[keycode / 8] & (1 << (keycode % 8))) != 0) {
                    fakeKey(keycode, false);
                }
            }
        }
    });
    input_.roundTrip();
}

void X11KeyPoster::tapKey(KeySym sym) {
    // A key between chunks ends the text before it; half a surrogate pair stays untyped.
    decoder_.reset();
    if (!available()) {
        return;
    }
    const std::optional<X11KeyboardMapping> mapping = X11KeyboardMapping::read(input_.get());
    if (sym == keysym::none || !mapping) {
        return;
    }
    const std::optional<xcb_keycode_t> keycode = mapping->keycodeFor(sym);
    if (!keycode) {
        return;
    }
    // xdotool and every XTEST client share one device with Tiklo, and a press of a key already
    // down on it counts as a repeat that the server or the application drops. So the key is
    // looked at, let go if the user holds it (their press is among the held keys, typed again
    // later), pressed and let go, all while the server is held: the user's press of the same
    // key can come neither in between nor between the look and the press.
    hold_.postUnheld([&] {
        xcb_connection_t* connection = input_.get();
        const Reply<xcb_query_keymap_reply_t> keymap(
            xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr));
        if (keymap && (keymap->keys[*keycode / 8] & (1U << (*keycode % 8))) != 0) {
            fakeKey(*keycode, false);
        }
        fakeKey(*keycode, true);
        fakeKey(*keycode, false);
    });
    input_.roundTrip();
}

void X11KeyPoster::postText(std::u16string_view chunk, bool down) {
    if (!down) {
        return; // typed, keys released and all, on the way down
    }
    const std::u32string text = decoder_.decode(chunk);
    if (text.empty() || !available()) {
        return;
    }
    const std::optional<X11KeyboardMapping> mapping = X11KeyboardMapping::read(input_.get());
    if (!mapping) {
        return;
    }
    const X11TypingPlan plan = X11TypingPlan::make(text, *mapping, options_.maxBorrowedKeycodes);
    // Characters without a spare keycode to borrow are left out silently, like any
    // keystroke the system refuses.
    for (const X11TypingBatch& batch : plan.batches) {
        if (!batch.mappings.empty()) {
            // Keycodes typed with may be mapped over only once the application read them.
            awaitTyped();
            if (!borrowed_) {
                borrowed_ = std::make_unique<BorrowedKeycodes>(input_.get());
                const std::optional<xcb_window_t> active = input_.activeWindow();
                typingTarget_ =
                    active && input_.answersPings(*active) ? active : std::optional<xcb_window_t>();
            }
            if (!borrowed_->map(batch.mappings)) {
                // Pressing keys the server did not map would type what they meant before.
                return;
            }
            settle(typingTarget_, acknowledgementTimeout, settleAfterMapping);
        }
        hold_.postUnheld([&] {
            for (const xcb_keycode_t keycode : batch.keys) {
                fakeKey(keycode, true);
                fakeKey(keycode, false);
            }
        });
        if (batch.mappings.empty()) {
            input_.roundTrip(); // keys of the keymap's own: nothing to wait for
        } else {
            unread_ = true;
        }
    }
}

void X11KeyPoster::finishTyping() {
    awaitTyped();
    borrowed_.reset();
    typingTarget_.reset();
    input_.roundTrip();
}

void X11KeyPoster::awaitTyped() {
    if (!unread_) {
        return;
    }
    unread_ = false;
    // Without an answer in time the application is hung: the mapping goes all the same, the
    // keycodes must not stay borrowed for good.
    settle(typingTarget_, readTimeout, settleAfterTyping);
}

void X11KeyPoster::settle(std::optional<xcb_window_t> application,
                          std::chrono::milliseconds timeout, std::uint32_t fallbackPause) {
    if (application) {
        input_.ping(*application, timeout);
        return;
    }
    input_.roundTrip();
    sleeper_.sleepMicroseconds(fallbackPause);
}

void X11KeyPoster::fakeKey(xcb_keycode_t keycode, bool press) {
    // Entered first: the monitor may see the event as soon as it is sent.
    ledger_.append(keycode, press);
    xcb_test_fake_input(input_.get(), press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, keycode,
                        XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
}

} // namespace tiklo
