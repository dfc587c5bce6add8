// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11HotkeyService.h"

#include "platform/linux/X11Modifiers.h"
#include "platform/linux/X11Reply.h"

#include <cstdlib>
#include <optional>

#include <QByteArray>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace tiklo {
namespace {

// The eight core modifier bits; a key event's state also carries buttons and the XKB group.
constexpr std::uint16_t coreModifierBits = 0xff;
// The bits Tiklo's modifiers are; a lock sharing one of them cannot be ignored.
constexpr std::uint16_t hotkeyModifierBits =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

// The core keyboard mapping: what xdotool and XTEST clients resolve keysyms against, and
// one request away on every server, with or without XKB.
class CoreKeyboard {
public:
    CoreKeyboard(xcb_keycode_t firstKeycode, const xcb_get_keyboard_mapping_reply_t* mapping)
        : first_(firstKeycode), perKeycode_(mapping->keysyms_per_keycode),
          keysyms_(xcb_get_keyboard_mapping_keysyms(mapping)),
          count_(xcb_get_keyboard_mapping_keysyms_length(mapping)) {}

    // Keys producing the keysym unshifted in the first group win over shifted or
    // other-group positions.
    std::optional<xcb_keycode_t> keycodeFor(std::uint32_t keysym) const {
        if (perKeycode_ == 0) {
            return std::nullopt;
        }
        const int keycodes = count_ / perKeycode_;
        for (int column = 0; column < perKeycode_; ++column) {
            for (int index = 0; index < keycodes; ++index) {
                if (keysyms_[index * perKeycode_ + column] == keysym) {
                    return static_cast<xcb_keycode_t>(first_ + index);
                }
            }
        }
        return std::nullopt;
    }

    bool produces(xcb_keycode_t keycode, std::uint32_t keysym) const {
        const int index = keycode - first_;
        if (keycode < first_ || (index + 1) * perKeycode_ > count_) {
            return false;
        }
        for (int column = 0; column < perKeycode_; ++column) {
            if (keysyms_[index * perKeycode_ + column] == keysym) {
                return true;
            }
        }
        return false;
    }

private:
    xcb_keycode_t first_;
    int perKeycode_;
    const xcb_keysym_t* keysyms_;
    int count_;
};

// The modifier bit the server sets while Num Lock is on: the Mod1..Mod5 row holding a key
// that produces Num_Lock (Mod2 on most keymaps, but nothing guarantees it).
std::uint16_t numLockMask(const CoreKeyboard& keyboard,
                          const xcb_get_modifier_mapping_reply_t* modifierMap) {
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(modifierMap);
    const int perModifier = modifierMap->keycodes_per_modifier;
    for (int row = 3; row < 8; ++row) {
        for (int column = 0; column < perModifier; ++column) {
            const xcb_keycode_t keycode = keycodes[row * perModifier + column];
            if (keycode != 0 && keyboard.produces(keycode, XKB_KEY_Num_Lock)) {
                return static_cast<std::uint16_t>(1U << row);
            }
        }
    }
    return 0;
}

} // namespace

X11HotkeyService::X11HotkeyService(xcb_connection_t* connection, xcb_window_t root)
    : connection_(connection), root_(root) {}

X11HotkeyService::~X11HotkeyService() {
    for (const auto& [id, grab] : grabs_) {
        ungrab(grab);
    }
}

Result X11HotkeyService::registerHotkey(const Key& key, std::uint32_t id) {
    const int status = grab(key, id);
    if (status == 0) {
        return Result::success();
    }
    return Result::failure(status, "the X server refused the key grab (X error " +
                                       std::to_string(status) + ")");
}

int X11HotkeyService::grab(const Key& key, std::uint32_t id) {
    if (key.sym == keysym::none) {
        return badValue;
    }
    if (xcb_connection_has_error(connection_) != 0) {
        return badImplementation;
    }

    // The keymap is read afresh each time so a layout switched since start-up is honoured.
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const auto mappingCookie = xcb_get_keyboard_mapping(
        connection_, setup->min_keycode,
        static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1));
    const auto modifierCookie = xcb_get_modifier_mapping(connection_);
    const Reply<xcb_get_keyboard_mapping_reply_t> mapping(
        xcb_get_keyboard_mapping_reply(connection_, mappingCookie, nullptr));
    const Reply<xcb_get_modifier_mapping_reply_t> modifierMap(
        xcb_get_modifier_mapping_reply(connection_, modifierCookie, nullptr));
    if (!mapping || !modifierMap) {
        return badImplementation;
    }
    const CoreKeyboard keyboard(setup->min_keycode, mapping.get());
    const std::optional<xcb_keycode_t> keycode = keyboard.keycodeFor(key.sym);
    if (!keycode) {
        return badValue;
    }

    Grab grab;
    grab.keycode = *keycode;
    grab.modifiers = X11Modifiers::mask(key.modifiers);
    grab.ignoredLocks = XCB_MOD_MASK_LOCK | (numLockMask(keyboard, modifierMap.get()) &
                                             ~hotkeyModifierBits & coreModifierBits);

    // X lets a client grab the same key twice, so a clash between our own ids must be
    // caught here: releasing one would silently release the other.
    for (const auto& [otherID, other] : grabs_) {
        if (other.keycode == grab.keycode && other.modifiers == grab.modifiers) {
            return otherID == id ? 0 : badAccess;
        }
    }

    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint16_t locks : lockVariants(grab.ignoredLocks)) {
        // Not owner_events: the press goes to the root even while a Tiklo window has focus,
        // so the hot key works the same there.
        cookies.push_back(xcb_grab_key_checked(connection_, 0, root_, grab.modifiers | locks,
                                               grab.keycode, XCB_GRAB_MODE_ASYNC,
                                               XCB_GRAB_MODE_ASYNC));
    }
    int status = 0;
    for (const xcb_void_cookie_t cookie : cookies) {
        const Reply<xcb_generic_error_t> error(xcb_request_check(connection_, cookie));
        if (error && status == 0) {
            status = error->error_code;
        }
    }
    if (status == 0 && xcb_connection_has_error(connection_) != 0) {
        status = badImplementation;
    }
    if (status != 0) {
        // Ungrabbing only ever releases our own grabs, never the other client's.
        ungrab(grab);
        return status;
    }

    if (const auto previous = grabs_.find(id); previous != grabs_.end()) {
        ungrab(previous->second);
        previous->second = grab;
    } else {
        grabs_.emplace(id, grab);
    }
    return 0;
}

void X11HotkeyService::unregisterHotkey(std::uint32_t id) {
    if (const auto found = grabs_.find(id); found != grabs_.end()) {
        ungrab(found->second);
        grabs_.erase(found);
    }
}

void X11HotkeyService::setPressHandler(PressHandler handler) {
    handler_ = std::move(handler);
}

bool X11HotkeyService::nativeEventFilter(const QByteArray& eventType, void* message,
                                         qintptr* /*result*/) {
    if (message == nullptr || eventType != "xcb_generic_event_t") {
        return false;
    }
    // Comparing the whole response type also turns away synthetic (SendEvent) presses,
    // which carry the 0x80 bit: only the server's own key presses may fire.
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (event->response_type != XCB_KEY_PRESS) {
        return false;
    }
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->event != root_) {
        return false;
    }
    const std::uint16_t state = press->state & coreModifierBits;
    for (const auto& [id, grab] : grabs_) {
        if (grab.keycode == press->detail && (state & ~grab.ignoredLocks) == grab.modifiers) {
            // Copies: the handler may register, unregister or replace itself.
            const std::uint32_t pressedID = id;
            if (const PressHandler handler = handler_) {
                handler(pressedID);
            }
            return true;
        }
    }
    return false;
}

std::vector<std::uint16_t> X11HotkeyService::lockVariants(std::uint16_t locks) {
    std::vector<std::uint16_t> variants;
    for (std::uint16_t subset = locks;; subset = (subset - 1) & locks) {
        variants.push_back(subset);
        if (subset == 0) {
            break;
        }
    }
    return variants;
}

void X11HotkeyService::ungrab(const Grab& grab) {
    // Waited for, so the combination is free for other clients once this returns: the
    // server orders requests per client only.
    std::vector<xcb_void_cookie_t> cookies;
    for (const std::uint16_t locks : lockVariants(grab.ignoredLocks)) {
        cookies.push_back(
            xcb_ungrab_key_checked(connection_, grab.keycode, root_, grab.modifiers | locks));
    }
    for (const xcb_void_cookie_t cookie : cookies) {
        std::free(xcb_request_check(connection_, cookie));
    }
}

} // namespace tiklo
