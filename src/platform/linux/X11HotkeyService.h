// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HotkeyService.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

#include <QAbstractNativeEventFilter>
#include <xcb/xcb.h>

namespace tiklo {

// Global hot keys as passive key grabs on the root window.
//
// The service only sends requests; it reads no events itself. Presses reach it through
// nativeEventFilter, so whoever reads `connection` must pass its events on: with Qt's own
// connection, install the service with qGuiApp->installNativeEventFilter(&service). Until
// then the grabs still keep the combinations from other applications, but nothing fires.
// The service needs no QGuiApplication of its own, and it uninstalls itself when destroyed.
class X11HotkeyService : public HotkeyService, public QAbstractNativeEventFilter {
public:
    // X error codes registerHotkey answers on its own account.
    static constexpr int badValue = 2;
    static constexpr int badAccess = 10;
    static constexpr int badImplementation = 17;

    // `connection` must stay open for the service's lifetime.
    X11HotkeyService(xcb_connection_t* connection, xcb_window_t root);
    ~X11HotkeyService() override;
    X11HotkeyService(const X11HotkeyService&) = delete;
    X11HotkeyService& operator=(const X11HotkeyService&) = delete;

    // Refuses with badValue a key without symbol or one the current keymap lacks, with
    // badAccess a combination another client (or another id here) holds. Registering an id
    // again moves it to the new combination only when that one can be had.
    Result registerHotkey(const Key& key, std::uint32_t id) override;
    void unregisterHotkey(std::uint32_t id) override;
    void setPressHandler(PressHandler handler) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Grab {
        xcb_keycode_t keycode = 0;
        std::uint16_t modifiers = 0;
        // Lock bits a press may carry on top of `modifiers`; one grab per subset.
        std::uint16_t ignoredLocks = 0;
    };

    // The grabs for `id`: 0, or the X error code that refused them.
    int grab(const Key& key, std::uint32_t id);
    static std::vector<std::uint16_t> lockVariants(std::uint16_t locks);
    void ungrab(const Grab& grab);

    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::unordered_map<std::uint32_t, Grab> grabs_;
    PressHandler handler_;
};

} // namespace tiklo
