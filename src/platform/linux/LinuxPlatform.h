// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Platform.h"
#include "platform/linux/AtspiAccessibility.h"
#include "platform/linux/DesktopMotionSetting.h"
#include "platform/linux/InputMethodLinks.h"
#include "platform/linux/PropertyListDefaultsFile.h"
#include "platform/linux/SessionAccessibilityBus.h"
#include "platform/linux/SyntheticEventLedger.h"
#include "platform/linux/ThreadSleeper.h"
#include "platform/linux/X11AccessibilityTrust.h"
#include "platform/linux/X11ApplicationActivator.h"
#include "platform/linux/X11HotkeyService.h"
#include "platform/linux/X11InputConnection.h"
#include "platform/linux/X11KeyPoster.h"
#include "platform/linux/X11KeyboardHold.h"
#include "platform/linux/X11KeyboardMonitor.h"
#include "platform/linux/X11Workspace.h"
#include "platform/linux/XdgAutostartEntry.h"
#include "platform/qt/QtMainThreadExecutor.h"
#include "platform/qt/QtScreens.h"
#include "platform/qt/QtTimerFactory.h"

#include <filesystem>
#include <string>

#include <xcb/xcb.h>

namespace tiklo {

// The Linux desktop as Tiklo uses it: X11 through Qt's own xcb connection (hot keys, the
// active window, key observation), a connection of its own for typing, AT-SPI for carets,
// the settings file and the XDG autostart entry, and the session bus for the accessibility
// bus's state and Tiklo's input-method front ends. Needs the Qt application object, and must
// go after the services built over it.
class LinuxPlatform {
public:
    struct Files {
        std::filesystem::path settings = PropertyListDefaultsFile::defaultPath();
        // Empty: $XDG_CONFIG_HOME/autostart/<application id>.desktop.
        std::filesystem::path autostartEntry;
    };

    // `connection`: Qt's own (QNativeInterface::QX11Application), whose events the hot keys
    // and the workspace read through the application's native event filters.
    LinuxPlatform(xcb_connection_t* connection, const std::string& applicationID, Files files);
    LinuxPlatform(const LinuxPlatform&) = delete;
    LinuxPlatform& operator=(const LinuxPlatform&) = delete;

    Platform platform();
    // The program on the session bus: what a second launch asks of it goes there.
    ProgramBusObject& programBus() { return inputMethod_.program(); }
    InputMethodLinks& inputMethods() { return inputMethod_; }
    // Before the main loop stops: work that waits for the main thread is skipped from then on,
    // and an insertion waiting for a stopped application stops waiting, so Tiklo can quit.
    void shutDown() {
        input_.interrupt();
        mainThread_.shutDown();
    }

private:
    xcb_window_t root_;
    PropertyListDefaultsFile defaults_;
    X11HotkeyService hotkeys_;
    XdgAutostartEntry autostart_;
    X11Workspace workspace_;
    X11AccessibilityTrust trust_;
    ThreadSleeper sleeper_;
    SyntheticEventLedger ledger_;
    X11InputConnection input_;
    X11KeyboardHold keyboardHold_;
    X11KeyPoster keyPoster_;
    X11ApplicationActivator activator_;
    QtMainThreadExecutor mainThread_;
    QtScreens screens_{&DesktopMotionSetting::reduceMotion};
    AtspiAccessibility accessibility_;
    SessionAccessibilityBus accessibilityBus_;
    InputMethodLinks inputMethod_;
    X11KeyboardMonitor keyboard_;
    QtTimerFactory timers_;
};

} // namespace tiklo
