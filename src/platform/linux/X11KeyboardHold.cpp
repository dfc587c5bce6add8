// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11KeyboardHold.h"

#include "platform/linux/X11Reply.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>
#include <xcb/xtest.h>

namespace tiklo {
namespace {

// The modifiers a key is typed again with, as its event recorded them: Shift, Control, Alt
// (Mod1) and Super (Mod4). Locks are left as they are: the user's presses already switched
// them.
constexpr std::array<std::uint16_t, 4> typedModifiers{XCB_MOD_MASK_SHIFT, XCB_MOD_MASK_CONTROL,
                                                      XCB_MOD_MASK_1, XCB_MOD_MASK_4};
constexpr int modifierCount = 8; // rows of the core modifier mapping, Shift to Mod5

bool isPress(const xcb_key_press_event_t& event) {
    return (event.response_type & 0x7f) == XCB_KEY_PRESS;
}

// The keycodes of each of the eight modifiers.
class ModifierKeys {
public:
    explicit ModifierKeys(xcb_connection_t* connection) {
        const Reply<xcb_get_modifier_mapping_reply_t> reply(xcb_get_modifier_mapping_reply(
            connection, xcb_get_modifier_mapping(connection), nullptr));
        if (!reply) {
            return;
        }
        const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(reply.get());
        perModifier_ = reply->keycodes_per_modifier;
        keycodes_.assign(keycodes, keycodes + perModifier_ * modifierCount);
    }

    bool isModifier(xcb_keycode_t keycode) const {
        return keycode != 0 &&
               std::find(keycodes_.begin(), keycodes_.end(), keycode) != keycodes_.end();
    }
    // A key that sets `mask` (one bit), or 0.
    xcb_keycode_t keyFor(std::uint16_t mask) const {
        const std::vector<xcb_keycode_t> keys = keysFor(mask);
        return keys.empty() ? 0 : keys.front();
    }
    // Every key that sets `mask` (one bit).
    std::vector<xcb_keycode_t> keysFor(std::uint16_t mask) const {
        std::vector<xcb_keycode_t> keys;
        for (int row = 0; row < modifierCount; ++row) {
            if (mask != (1U << row)) {
                continue;
            }
            for (int i = 0; i < perModifier_; ++i) {
                if (const xcb_keycode_t keycode = keycodes_[row * perModifier_ + i]; keycode != 0) {
                    keys.push_back(keycode);
                }
            }
        }
        return keys;
    }

private:
    int perModifier_ = 0;
    std::vector<xcb_keycode_t> keycodes_;
};

} // namespace

X11KeyboardHold::X11KeyboardHold(X11InputConnection& input, SyntheticEventLedger& ledger,
                                 QObject* parent)
    : QObject(parent), input_(input), ledger_(ledger) {
    input_.setKeySink([this](const xcb_key_press_event_t& event) { take(event); });
    if (input_.usable()) {
        // Nobody else reads this connection while Tiklo idles: keep it drained.
        notifier_ =
            std::make_unique<QSocketNotifier>(input_.fileDescriptor(), QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this,
                [this] { input_.readEvents(); });
    }
    focusPoll_.setInterval(focusPollInterval);
    focusPoll_.setTimerType(Qt::PreciseTimer);
    connect(&focusPoll_, &QTimer::timeout, this, [this] {
        const auto locked = input_.lock();
        if (!holding_ || deliverToFocusedOwnWindow()) {
            focusPoll_.stop();
        }
    });
}

X11KeyboardHold::~X11KeyboardHold() {
    const auto locked = input_.lock();
    input_.setKeySink(nullptr);
    ungrab();
    xcb_flush(input_.get());
}

bool X11KeyboardHold::hold() {
    const auto locked = input_.lock();
    if (!input_.usable()) {
        return false;
    }
    // For the grabs to come, also those taken again on the injector's thread.
    rememberOwnWindows();
    focusPoll_.stop();
    if (!holding_) {
        if (!grab()) {
            return false;
        }
        pressesTaken_.clear();
        forgetPause();
        holding_ = true;
    }
    startTimeLimit();
    return true;
}

void X11KeyboardHold::startTimeLimit() {
    const std::uint64_t generation = ++generation_;
    QTimer::singleShot(timeLimit, Qt::PreciseTimer, this,
                       [this, generation] { expire(generation); });
}

void X11KeyboardHold::expire(std::uint64_t generation) {
    const auto locked = input_.lock();
    if (holding_ && generation == generation_) {
        releaseToFocusLocked();
    }
}

void X11KeyboardHold::releaseToOwnWindow() {
    const auto locked = input_.lock();
    if (!holding_) {
        return;
    }
    // Qt may still count a window as active that has just lost the keyboard, or not yet
    // count one that has it: the server's focus decides, looked at until it is Tiklo's (or
    // the time limit hands the keys to the focus after all).
    rememberOwnWindows();
    if (!deliverToFocusedOwnWindow()) {
        focusPoll_.start();
    }
}

void X11KeyboardHold::rememberOwnWindows() {
    ownWindows_.clear();
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (window->handle() != nullptr) {
            ownWindows_.insert(static_cast<xcb_window_t>(window->winId()));
        }
    }
}

bool X11KeyboardHold::deliverToFocusedOwnWindow() {
    xcb_connection_t* connection = input_.get();
    const Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    if (!focus || ownWindows_.count(focus->focus) == 0) {
        return false;
    }
    // With the server held, no other client's key comes in while the hold ends; once the
    // server has answered, every key the grab took has been read.
    xcb_grab_server(connection);
    input_.roundTrip();
    holding_ = false;
    forgetPause();
    destination_ = Destination::ownWindow;
    ownWindow_ = focus->focus;
    for (const xcb_key_press_event_t& event : takeAll()) {
        forward(event);
    }
    // Sent after the copies: keys typed from now on reach the window after them.
    ungrab();
    xcb_ungrab_server(connection);
    xcb_flush(connection);
    return true;
}

void X11KeyboardHold::takePending() {
    // Everything the server has sent Qt so far is read, then handled: the picker's window hands
    // the keys among it to redirect() while the hold lasts.
    if (auto* x11 = qGuiApp != nullptr
                        ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                        : nullptr;
        x11 != nullptr && x11->connection() != nullptr) {
        xcb_connection_t* qt = x11->connection();
        std::free(xcb_get_input_focus_reply(qt, xcb_get_input_focus(qt), nullptr));
    }
    QCoreApplication::processEvents();
}

bool X11KeyboardHold::took(std::uint32_t scanCode, std::uint32_t time) {
    const auto locked = input_.lock();
    if (!holding_) {
        return false;
    }
    // The press was reported to the caller, so the server had already sent it wherever it
    // went: every key event the grab took up to now is read after one round trip.
    input_.roundTrip();
    return pressesTaken_.count({static_cast<xcb_keycode_t>(scanCode), time}) != 0;
}

void X11KeyboardHold::releaseToFocus() {
    const auto locked = input_.lock();
    releaseToFocusLocked();
}

void X11KeyboardHold::releaseToFocusLocked() {
    if (!holding_ && fromOwnWindows_.empty() && fromGrab_.empty()) {
        return;
    }
    xcb_connection_t* connection = input_.get();
    // As for Tiklo's own window: no other client's key between the hold's end and the keys
    // typed again, and every key the grab took read first.
    xcb_grab_server(connection);
    input_.roundTrip();
    if (retypeUpToPause()) {
        xcb_ungrab_server(connection);
        xcb_flush(connection);
        return;
    }
    holding_ = false;
    destination_ = Destination::focus;
    // Let go first: keys typed again under Tiklo's own grab would come back to it.
    ungrab();
    retype(takeAll());
    xcb_ungrab_server(connection);
    xcb_flush(connection);
}

bool X11KeyboardHold::pauseAfter(std::uint32_t scanCode, std::uint32_t time,
                                 std::function<void()> then) {
    const auto locked = input_.lock();
    if (!holding_ || scanCode > 255) {
        return false;
    }
    pauseAt_.emplace(static_cast<xcb_keycode_t>(scanCode), time);
    afterPause_ = std::move(then);
    return true;
}

void X11KeyboardHold::forgetPause() {
    pauseAt_.reset();
    afterPause_ = nullptr;
}

bool X11KeyboardHold::retypeUpToPause() {
    if (!pauseAt_ || !holding_) {
        forgetPause();
        return false;
    }
    // Not a structured binding: clang before 16 cannot capture one in a lambda.
    const xcb_keycode_t keycode = pauseAt_->first;
    const xcb_timestamp_t time = pauseAt_->second;
    std::function<void()> then = std::move(afterPause_);
    forgetPause();
    std::vector<xcb_key_press_event_t> keys = takeAll();
    const auto pause = std::find_if(keys.begin(), keys.end(), [&](const auto& event) {
        return isPress(event) && event.detail == keycode && event.time == time;
    });
    if (pause == keys.end()) {
        fromGrab_ = std::move(keys);
        return false;
    }
    // The keys after the pause stay held; those typed meanwhile come after them.
    fromGrab_.assign(std::next(pause), keys.end());
    keys.erase(std::next(pause), keys.end());
    // Let go for the keys typed again, as for Tiklo's own keys, and hold on.
    const xcb_window_t window = grabWindow();
    ungrab();
    retype(keys);
    grabbed_ = grabTaken(requestGrab(window));
    QMetaObject::invokeMethod(
        this,
        [this, then = std::move(then)] {
            {
                // The keys still held wait for the popup no longer than any other hold.
                const auto locked = input_.lock();
                if (holding_) {
                    startTimeLimit();
                }
            }
            if (then) {
                then();
            }
        },
        Qt::QueuedConnection);
    return true;
}

void X11KeyboardHold::postUnheld(const std::function<void()>& post) {
    const auto locked = input_.lock();
    xcb_connection_t* connection = input_.get();
    if (!grabbed_) {
        xcb_grab_server(connection);
        post();
        xcb_ungrab_server(connection);
        xcb_flush(connection);
        return;
    }
    // No other client's request may come between letting go and taking the keyboard again:
    // a key from another XTEST client (xdotool, remote keyboards) would reach the application
    // there, ahead of the keys held. The server is held for these few requests only.
    const xcb_window_t window = grabWindow();
    xcb_grab_server(connection);
    ungrab();
    post();
    const xcb_grab_keyboard_cookie_t cookie = requestGrab(window);
    xcb_ungrab_server(connection);
    grabbed_ = grabTaken(cookie);
}

xcb_window_t X11KeyboardHold::grabWindow() {
    // Grabbing on the window that has the focus tells nobody that the focus moved: the
    // application keeps it (and keeps reporting its caret), and letting go for Tiklo's own
    // keys and taking the keyboard again costs it nothing. Tiklo's own windows vanish while
    // held (which would end the grab), and None or PointerRoot are no windows: the root then.
    xcb_connection_t* connection = input_.get();
    const Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    if (!focus || focus->focus == XCB_WINDOW_NONE || focus->focus == XCB_INPUT_FOCUS_POINTER_ROOT ||
        ownWindows_.count(focus->focus) != 0) {
        return input_.root();
    }
    const Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, focus->focus), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE ? focus->focus
                                                                         : input_.root();
}

bool X11KeyboardHold::grab() {
    grabbed_ = grabTaken(requestGrab(grabWindow()));
    return grabbed_;
}

xcb_grab_keyboard_cookie_t X11KeyboardHold::requestGrab(xcb_window_t window) {
    return xcb_grab_keyboard(input_.get(), 0, window, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC,
                             XCB_GRAB_MODE_ASYNC);
}

bool X11KeyboardHold::grabTaken(xcb_grab_keyboard_cookie_t cookie) {
    const Reply<xcb_grab_keyboard_reply_t> reply(
        xcb_grab_keyboard_reply(input_.get(), cookie, nullptr));
    return reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
}

void X11KeyboardHold::ungrab() {
    if (grabbed_) {
        xcb_ungrab_keyboard(input_.get(), XCB_CURRENT_TIME);
        grabbed_ = false;
    }
}

void X11KeyboardHold::take(const xcb_key_press_event_t& event) {
    // Called with the input connection locked, for every key event read from it: they only
    // come from Tiklo's grab.
    if (holding_) {
        fromGrab_.push_back(event);
        if ((event.response_type & 0x7f) == XCB_KEY_PRESS) {
            pressesTaken_.emplace(event.detail, event.time);
        }
        return;
    }
    if (destination_ == Destination::ownWindow) {
        forward(event);
    } else {
        retype({event});
    }
    // At once: keys typed after it go straight to their window.
    xcb_flush(input_.get());
}

std::vector<xcb_key_press_event_t> X11KeyboardHold::takeAll() {
    std::vector<xcb_key_press_event_t> keys = std::move(fromOwnWindows_);
    keys.insert(keys.end(), fromGrab_.begin(), fromGrab_.end());
    fromOwnWindows_.clear();
    fromGrab_.clear();
    return keys;
}

void X11KeyboardHold::forward(xcb_key_press_event_t event) {
    event.response_type &= 0x7f;
    event.event = ownWindow_;
    event.child = XCB_WINDOW_NONE;
    event.same_screen = 1;
    // An empty mask sends it to the window's owner, Tiklo's own connection to Qt.
    xcb_send_event(input_.get(), 0, ownWindow_, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&event));
}

void X11KeyboardHold::retype(const std::vector<xcb_key_press_event_t>& keys) {
    if (keys.empty() || !input_.hasXTest()) {
        return;
    }
    xcb_connection_t* connection = input_.get();
    const ModifierKeys modifiers(connection);
    std::uint16_t physical = 0;
    if (const Reply<xcb_query_pointer_reply_t> pointer(xcb_query_pointer_reply(
            connection, xcb_query_pointer(connection, input_.root()), nullptr));
        pointer) {
        physical = pointer->mask;
    }
    // Keys down right now. A press of a key already down on the same keyboard device only
    // repeats it, which applications do not type again: the key the user still holds from
    // xdotool, or any XTEST client, is let go first.
    std::array<std::uint8_t, 32> keysDown{};
    if (const Reply<xcb_query_keymap_reply_t> keymap(
            xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr));
        keymap) {
        std::copy(std::begin(keymap->keys), std::end(keymap->keys), keysDown.begin());
    }
    std::set<xcb_keycode_t> down;
    // The modifier keys pressed here to give a key its recorded modifiers, by mask.
    std::map<std::uint16_t, xcb_keycode_t> pressedModifiers;
    // The modifier keys the user holds, let go of here for a key typed without them (typed
    // before they were pressed), by mask; pressed again afterwards, as the user holds them.
    std::map<std::uint16_t, std::vector<xcb_keycode_t>> liftedModifiers;
    const auto isDown = [&](xcb_keycode_t keycode) {
        return (keysDown[keycode / 8] & (1U << (keycode % 8))) != 0;
    };
    for (const xcb_key_press_event_t& event : keys) {
        // Modifier keys took effect when the user pressed them; here they only shape the
        // keys around them.
        if (modifiers.isModifier(event.detail)) {
            continue;
        }
        if (!isPress(event)) {
            if (down.erase(event.detail) != 0) {
                fakeKey(event.detail, false);
            }
            continue;
        }
        for (const std::uint16_t mask : typedModifiers) {
            const bool wanted = (event.state & mask) != 0;
            const auto pressed = pressedModifiers.find(mask);
            const auto lifted = liftedModifiers.find(mask);
            const bool userHolds = (physical & mask) != 0 && lifted == liftedModifiers.end();
            if (wanted && !userHolds && pressed == pressedModifiers.end()) {
                if (lifted != liftedModifiers.end()) {
                    for (const xcb_keycode_t keycode : lifted->second) {
                        fakeKey(keycode, true);
                    }
                    liftedModifiers.erase(lifted);
                } else if (const xcb_keycode_t keycode = modifiers.keyFor(mask); keycode != 0) {
                    fakeKey(keycode, true);
                    pressedModifiers[mask] = keycode;
                }
            } else if (!wanted && pressed != pressedModifiers.end()) {
                fakeKey(pressed->second, false);
                pressedModifiers.erase(pressed);
            } else if (!wanted && userHolds) {
                std::vector<xcb_keycode_t> letGo;
                for (const xcb_keycode_t keycode : modifiers.keysFor(mask)) {
                    if (isDown(keycode)) {
                        fakeKey(keycode, false);
                        letGo.push_back(keycode);
                    }
                }
                if (!letGo.empty()) {
                    liftedModifiers[mask] = std::move(letGo);
                }
            }
        }
        if (isDown(event.detail) && down.count(event.detail) == 0) {
            fakeKey(event.detail, false);
        }
        keysDown[event.detail / 8] &= static_cast<std::uint8_t>(~(1U << (event.detail % 8)));
        fakeKey(event.detail, true);
        down.insert(event.detail);
    }
    // Nothing stays pressed: a key the user still holds goes on from their own keyboard.
    for (const xcb_keycode_t keycode : down) {
        fakeKey(keycode, false);
    }
    for (const auto& [mask, keycode] : pressedModifiers) {
        fakeKey(keycode, false);
    }
    for (const auto& [mask, keycodes] : liftedModifiers) {
        for (const xcb_keycode_t keycode : keycodes) {
            fakeKey(keycode, true);
        }
    }
}

void X11KeyboardHold::fakeKey(xcb_keycode_t keycode, bool press) {
    ledger_.append(keycode, press);
    xcb_test_fake_input(input_.get(), press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, keycode,
                        XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
}

void X11KeyboardHold::redirect(std::uint32_t scanCode, std::uint32_t nativeModifiers, bool press,
                               std::uint32_t time) {
    if (scanCode < 8 || scanCode > 255) {
        return;
    }
    xcb_key_press_event_t event{};
    event.response_type = press ? XCB_KEY_PRESS : XCB_KEY_RELEASE;
    event.detail = static_cast<xcb_keycode_t>(scanCode);
    event.state = static_cast<std::uint16_t>(nativeModifiers);
    event.time = time;
    const auto locked = input_.lock();
    if (holding_) {
        fromOwnWindows_.push_back(event);
        if (press && time != 0) {
            pressesTaken_.emplace(event.detail, time);
        }
    } else {
        retype({event});
        xcb_flush(input_.get());
    }
}

} // namespace tiklo
