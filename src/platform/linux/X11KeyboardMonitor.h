// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/KeyboardLayout.h"
#include "platform/KeyboardMonitor.h"
#include "platform/linux/SyntheticEventLedger.h"
#include "platform/linux/XkbKeyTranslator.h"

#include <cstdint>
#include <optional>

#include <QAbstractNativeEventFilter>
#include <QTimer>
#include <xcb/xcb.h>
#include <xcb/xinput.h>
#include <xkbcommon/xkbcommon.h>

namespace tiklo {

// Observes the user's key presses system-wide: XInput 2.2 raw key events on the root
// window, which arrive for every key whoever has the focus or a grab, and do not disturb
// delivery. Keys Tiklo posted itself are recognised through the shared ledger and not
// reported at all. Each key is named by its keysym (XkbKeyTranslator).
//
// Events are read from `connection`, which must be the connection Qt reads (Qt's own,
// QNativeInterface::QX11Application::connection()): install() adds the monitor to the
// application's native event filters. Main thread only.
class X11KeyboardMonitor : public KeyboardMonitor,
                           public KeyboardLayout,
                           public QAbstractNativeEventFilter {
public:
    // `connection` must stay open for the monitor's lifetime; null makes a monitor that
    // cannot install, for running keyDownFor against a keymap given with useKeymap.
    X11KeyboardMonitor(xcb_connection_t* connection, xcb_window_t root,
                       SyntheticEventLedger& ledger);
    ~X11KeyboardMonitor() override;
    X11KeyboardMonitor(const X11KeyboardMonitor&) = delete;
    X11KeyboardMonitor& operator=(const X11KeyboardMonitor&) = delete;

    // Fails when the server lacks XInput 2.2 or XKB, or the keymap cannot be read.
    Result install(KeyDownHandler handler) override;
    // Stops the raw key events. The XKB notifications stay selected: Qt's own keyboard
    // handling relies on the same selection on this connection.
    void remove() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // The work done for each raw key event (press or release): what it reports, if
    // anything. Releases only settle the ledger; they are never reported.
    std::optional<KeyDown> keyDownFor(const xcb_input_raw_key_press_event_t& event);

    // Translates against `keymap` until the server's keymap is next read.
    void useKeymap(xkb_keymap* keymap);

    // From the keymap read at install(), kept current while installed.
    std::optional<int> digitRowNumber(std::uint32_t scanCode) const override;
    KeySym keySymAt(std::uint32_t scanCode) const override;

private:
    bool selectRawKeys(bool on);
    bool selectKeyboardNotifications();
    bool loadKeymap(bool readState);
    void handleXkbEvent(const void* event);

    xcb_connection_t* connection_;
    xcb_window_t root_;
    SyntheticEventLedger& ledger_;
    XkbKeyTranslator translator_;
    KeyDownHandler handler_;
    xkb_context* context_ = nullptr;
    std::uint8_t xinputOpcode_ = 0;
    std::uint8_t xkbFirstEvent_ = 0;
    std::int32_t coreKeyboard_ = -1;
    // Keymap changes come in bursts (and with every key Tiklo types); the keymap is read
    // again once a burst is over, not once per notification, and before that only if a key
    // needs it: the key after a change must not wait for the read, the prefix least of all.
    bool keymapStale_ = false;
    QTimer keymapRefresh_;
    bool installed_ = false;
};

} // namespace tiklo
