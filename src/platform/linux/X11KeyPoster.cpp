#include "X11KeyPoster.h"

#include "X11KeyTable.h"
#include "X11Reply.h"
#include "X11TypingPlan.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

#include <xcb/xtest.h>

namespace tiklo {
namespace {

// Every keysym is mapped at both of the first two levels, so a held Shift types the same.
constexpr std::uint8_t mappedLevels = 2;

// Spare keycodes mapped while a chunk is typed, batch after batch; the destructor gives
// every one of them its empty mapping back, whatever happened in between.
class BorrowedKeycodes {
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

} // namespace

X11KeyPoster::X11KeyPoster(SyntheticEventLedger& ledger, Sleeper& sleeper)
    : X11KeyPoster(ledger, sleeper, Options{}) {}

X11KeyPoster::X11KeyPoster(SyntheticEventLedger& ledger, Sleeper& sleeper, Options options)
    : ledger_(ledger), sleeper_(sleeper), options_(std::move(options)),
      connection_(
          xcb_connect(options_.display.empty() ? nullptr : options_.display.c_str(), nullptr)),
      ping_(connection_) {
    if (xcb_connection_has_error(connection_) == 0) {
        const xcb_query_extension_reply_t* xtest =
            xcb_get_extension_data(connection_, &xcb_test_id);
        xtest_ = xtest != nullptr && xtest->present != 0;
    }
}

X11KeyPoster::~X11KeyPoster() {
    if (available()) {
        // Nothing may stay pressed when Tiklo goes.
        for (const auto& [keyCode, keycode] : held_) {
            fakeKey(keycode, false);
        }
        roundTrip();
    }
    xcb_disconnect(connection_);
}

bool X11KeyPoster::available() const {
    return xtest_ && xcb_connection_has_error(connection_) == 0;
}

void X11KeyPoster::postKey(std::uint16_t keyCode, bool down) {
    // A key between chunks ends the text before it; half a surrogate pair stays untyped.
    decoder_.reset();
    if (!available()) {
        return;
    }
    if (!down) {
        if (const auto held = held_.find(keyCode); held != held_.end()) {
            fakeKey(held->second, false);
            held_.erase(held);
            xcb_flush(connection_);
            return;
        }
    }
    const std::optional<std::uint32_t> keysym = X11KeyTable::keysymForKeyCode(keyCode);
    const std::optional<X11KeyboardMapping> mapping = X11KeyboardMapping::read(connection_);
    if (!keysym || !mapping) {
        return;
    }
    const std::optional<xcb_keycode_t> keycode = mapping->keycodeFor(*keysym);
    if (!keycode) {
        return;
    }
    if (down) {
        held_[keyCode] = *keycode;
    }
    fakeKey(*keycode, down);
    roundTrip();
}

void X11KeyPoster::postText(std::u16string_view chunk, bool down) {
    if (!down) {
        return; // typed, keys released and all, on the way down
    }
    const std::u32string text = decoder_.decode(chunk);
    if (text.empty() || !available()) {
        return;
    }
    const std::optional<X11KeyboardMapping> mapping = X11KeyboardMapping::read(connection_);
    if (!mapping) {
        return;
    }
    const X11TypingPlan plan = X11TypingPlan::make(text, *mapping, options_.maxBorrowedKeycodes);
    // Characters without a spare keycode to borrow are left out silently, like any
    // keystroke the system refuses.
    const std::optional<xcb_window_t> application = ping_.pingableActiveWindow();
    BorrowedKeycodes borrowed(connection_);
    for (const X11TypingBatch& batch : plan.batches) {
        if (!batch.mappings.empty()) {
            if (!borrowed.map(batch.mappings)) {
                // Pressing keys the server did not map would type what they meant before.
                return;
            }
            sleeper_.sleepMicroseconds(settleAfterMapping);
        }
        for (const xcb_keycode_t keycode : batch.keys) {
            fakeKey(keycode, true);
            fakeKey(keycode, false);
        }
        if (batch.mappings.empty()) {
            roundTrip(); // keys of the keymap's own: nothing to wait for
        } else {
            awaitTyped(application);
        }
    }
}

void X11KeyPoster::awaitTyped(std::optional<xcb_window_t> application) {
    if (!application) {
        roundTrip();
        sleeper_.sleepMicroseconds(settleAfterTyping);
        return;
    }
    // Without an answer in time the application may be hung: the mapping goes all the same,
    // the keycodes must not stay borrowed for good.
    ping_.ping(*application, acknowledgementTimeout);
}

void X11KeyPoster::fakeKey(xcb_keycode_t keycode, bool press) {
    // Entered first: the monitor may see the event as soon as it is sent.
    ledger_.append(keycode, press);
    xcb_test_fake_input(connection_, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, keycode,
                        XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
}

void X11KeyPoster::roundTrip() {
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    // Nobody reads this connection's events, but every client is sent MappingNotify (ours
    // included) and errors of unchecked requests: drop them so they do not pile up.
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        std::free(event);
    }
}

} // namespace tiklo
