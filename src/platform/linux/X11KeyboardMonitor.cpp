// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/X11KeyboardMonitor.h"

#include "platform/linux/X11Reply.h"

#include <QByteArray>
#include <QCoreApplication>
#include <chrono>
#include <xkbcommon/xkbcommon-x11.h>
// xcb's XKB header names a struct member `explicit`.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wkeyword-macro"
#endif
#define explicit xkb_explicit
#include <xcb/xkb.h>
#undef explicit
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

namespace tiklo {
namespace {

// The fields every XKB event starts with.
struct XkbEventHeader {
    std::uint8_t responseType;
    std::uint8_t xkbType;
    std::uint16_t sequence;
    xcb_timestamp_t time;
    std::uint8_t deviceID;
};

constexpr std::uint16_t keyboardNotifications = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY |
                                                XCB_XKB_EVENT_TYPE_MAP_NOTIFY |
                                                XCB_XKB_EVENT_TYPE_STATE_NOTIFY;
// The parts xkbcommon builds a keymap from.
constexpr std::uint16_t keymapParts =
    XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS | XCB_XKB_MAP_PART_MODIFIER_MAP |
    XCB_XKB_MAP_PART_EXPLICIT_COMPONENTS | XCB_XKB_MAP_PART_KEY_ACTIONS |
    XCB_XKB_MAP_PART_VIRTUAL_MODS | XCB_XKB_MAP_PART_VIRTUAL_MOD_MAP;

// A burst of keymap notices is taken as over after this quiet time.
constexpr std::chrono::milliseconds keymapSettle{5};

bool succeeded(xcb_connection_t* connection, xcb_void_cookie_t cookie) {
    const Reply<xcb_generic_error_t> error(xcb_request_check(connection, cookie));
    return !error;
}

} // namespace

X11KeyboardMonitor::X11KeyboardMonitor(xcb_connection_t* connection, xcb_window_t root,
                                       SyntheticEventLedger& ledger)
    : connection_(connection), root_(root), ledger_(ledger) {
    keymapRefresh_.setSingleShot(true);
    keymapRefresh_.setInterval(keymapSettle);
    QObject::connect(&keymapRefresh_, &QTimer::timeout, [this] {
        if (installed_ && keymapStale_ && context_ != nullptr) {
            loadKeymap(false);
        }
    });
}

X11KeyboardMonitor::~X11KeyboardMonitor() {
    remove();
    xkb_context_unref(context_);
}

Result X11KeyboardMonitor::install(KeyDownHandler handler) {
    if (installed_) {
        handler_ = std::move(handler);
        return Result::success();
    }
    if (connection_ == nullptr || xcb_connection_has_error(connection_) != 0) {
        return Result::failure("no connection to the X server");
    }
    const xcb_query_extension_reply_t* xinput = xcb_get_extension_data(connection_, &xcb_input_id);
    if (xinput == nullptr || xinput->present == 0) {
        return Result::failure("the X server lacks XInput");
    }
    // 2.2 is the version whose raw events reach the root window while another client
    // holds a grab.
    const Reply<xcb_input_xi_query_version_reply_t> version(xcb_input_xi_query_version_reply(
        connection_, xcb_input_xi_query_version(connection_, 2, 2), nullptr));
    if (!version || version->major_version < 2 ||
        (version->major_version == 2 && version->minor_version < 2)) {
        return Result::failure("the X server lacks XInput 2.2");
    }
    xinputOpcode_ = xinput->major_opcode;

    std::uint16_t xkbMajor = 0;
    std::uint16_t xkbMinor = 0;
    std::uint8_t xkbFirstError = 0;
    if (xkb_x11_setup_xkb_extension(connection_, XKB_X11_MIN_MAJOR_XKB_VERSION,
                                    XKB_X11_MIN_MINOR_XKB_VERSION,
                                    XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, &xkbMajor, &xkbMinor,
                                    &xkbFirstEvent_, &xkbFirstError) == 0) {
        return Result::failure("the X server lacks XKB");
    }
    coreKeyboard_ = xkb_x11_get_core_keyboard_device_id(connection_);
    if (coreKeyboard_ < 0 || !selectKeyboardNotifications()) {
        return Result::failure("cannot follow the keyboard's changes");
    }
    if (context_ == nullptr) {
        // Keymaps come from the server, never from files or the environment.
        context_ = xkb_context_new(static_cast<xkb_context_flags>(
            XKB_CONTEXT_NO_DEFAULT_INCLUDES | XKB_CONTEXT_NO_ENVIRONMENT_NAMES));
    }
    // The state is read once here; from then on StateNotify keeps it current.
    if (context_ == nullptr || !loadKeymap(true)) {
        return Result::failure("cannot read the keymap");
    }
    if (!selectRawKeys(true)) {
        return Result::failure("cannot select raw key events");
    }
    handler_ = std::move(handler);
    installed_ = true;
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->installNativeEventFilter(this);
    }
    return Result::success();
}

void X11KeyboardMonitor::remove() {
    if (!installed_) {
        return;
    }
    installed_ = false;
    handler_ = nullptr;
    selectRawKeys(false);
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeNativeEventFilter(this);
    }
}

bool X11KeyboardMonitor::nativeEventFilter(const QByteArray& eventType, void* message,
                                           qintptr* /*result*/) {
    if (!installed_ || message == nullptr || eventType != "xcb_generic_event_t") {
        return false;
    }
    // Whole response types: events another client sent with SendEvent carry the 0x80 bit
    // and must not pass for the server's.
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (event->response_type == XCB_GE_GENERIC) {
        const auto* generic = static_cast<const xcb_ge_generic_event_t*>(message);
        if (generic->extension == xinputOpcode_ &&
            (generic->event_type == XCB_INPUT_RAW_KEY_PRESS ||
             generic->event_type == XCB_INPUT_RAW_KEY_RELEASE)) {
            const std::optional<KeyDown> key =
                keyDownFor(*static_cast<const xcb_input_raw_key_press_event_t*>(message));
            // A copy: the handler may remove the monitor.
            if (const KeyDownHandler handler = handler_; key && handler) {
                handler(*key);
            }
        }
    } else if (event->response_type == xkbFirstEvent_) {
        handleXkbEvent(message);
    }
    // Never swallowed: Qt reads the same events for its own keyboard.
    return false;
}

std::optional<KeyDown>
X11KeyboardMonitor::keyDownFor(const xcb_input_raw_key_press_event_t& event) {
    const bool press = event.event_type == XCB_INPUT_RAW_KEY_PRESS;
    if ((!press && event.event_type != XCB_INPUT_RAW_KEY_RELEASE) || event.detail < 8 ||
        event.detail > 255) {
        return std::nullopt;
    }
    // Tiklo's own keys first: they are the ones that change the keymap, and need no text.
    if (ledger_.matchAndConsume(static_cast<std::uint8_t>(event.detail), press) || !press) {
        return std::nullopt;
    }
    if (keymapStale_ && context_ != nullptr) {
        loadKeymap(false);
    }
    KeyDown key = translator_.translate(event.detail);
    key.scanCode = event.detail;
    key.time = event.time;
    return key;
}

std::optional<int> X11KeyboardMonitor::digitRowNumber(std::uint32_t scanCode) const {
    return scanCode <= 255 ? translator_.digitRowNumber(scanCode) : std::nullopt;
}

KeySym X11KeyboardMonitor::keySymAt(std::uint32_t scanCode) const {
    return scanCode <= 255 ? translator_.keySym(scanCode) : keysym::none;
}

void X11KeyboardMonitor::useKeymap(xkb_keymap* keymap) {
    translator_.setKeymap(keymap);
    keymapStale_ = false;
}

bool X11KeyboardMonitor::selectRawKeys(bool on) {
    struct {
        xcb_input_event_mask_t header;
        std::uint32_t mask;
    } selection{};
    selection.header.deviceid = XCB_INPUT_DEVICE_ALL_MASTER;
    selection.header.mask_len = 1;
    selection.mask =
        on ? XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE : 0;
    return succeeded(connection_,
                     xcb_input_xi_select_events_checked(connection_, root_, 1, &selection.header));
}

bool X11KeyboardMonitor::selectKeyboardNotifications() {
    // Only these bits are affected; what else the connection selected (Qt) stays.
    return succeeded(connection_,
                     xcb_xkb_select_events_checked(
                         connection_, static_cast<xcb_xkb_device_spec_t>(coreKeyboard_),
                         keyboardNotifications, 0, keyboardNotifications, keymapParts, keymapParts,
                         nullptr));
}

bool X11KeyboardMonitor::loadKeymap(bool readState) {
    // Marked fresh even on failure, so a keymap that cannot be read costs one attempt per
    // change rather than one per key.
    keymapStale_ = false;
    xkb_keymap* keymap = xkb_x11_keymap_new_from_device(context_, connection_, coreKeyboard_,
                                                        XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap == nullptr) {
        return false;
    }
    bool loaded = true;
    translator_.setKeymap(keymap);
    if (readState) {
        xkb_state* state = xkb_x11_state_new_from_device(keymap, connection_, coreKeyboard_);
        if (state != nullptr) {
            XkbKeyTranslator::State current;
            current.baseModifiers = static_cast<std::uint8_t>(
                xkb_state_serialize_mods(state, XKB_STATE_MODS_DEPRESSED));
            current.latchedModifiers =
                static_cast<std::uint8_t>(xkb_state_serialize_mods(state, XKB_STATE_MODS_LATCHED));
            current.lockedModifiers =
                static_cast<std::uint8_t>(xkb_state_serialize_mods(state, XKB_STATE_MODS_LOCKED));
            current.baseLayout = static_cast<std::int32_t>(
                xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_DEPRESSED));
            current.latchedLayout = static_cast<std::int32_t>(
                xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_LATCHED));
            current.lockedLayout = static_cast<std::int32_t>(
                xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_LOCKED));
            translator_.setState(current);
            xkb_state_unref(state);
        } else {
            loaded = false;
        }
    }
    xkb_keymap_unref(keymap);
    return loaded;
}

void X11KeyboardMonitor::handleXkbEvent(const void* event) {
    const auto* header = static_cast<const XkbEventHeader*>(event);
    if (header->deviceID != coreKeyboard_) {
        return;
    }
    switch (header->xkbType) {
    case XCB_XKB_NEW_KEYBOARD_NOTIFY:
    case XCB_XKB_MAP_NOTIFY:
        keymapStale_ = true;
        keymapRefresh_.start();
        break;
    case XCB_XKB_STATE_NOTIFY: {
        const auto* state = static_cast<const xcb_xkb_state_notify_event_t*>(event);
        translator_.setState({state->baseMods, state->latchedMods, state->lockedMods,
                              state->baseGroup, state->latchedGroup, state->lockedGroup});
        break;
    }
    default:
        break;
    }
}

} // namespace tiklo
