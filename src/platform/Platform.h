// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DefaultsStore.h"
#include "platform/AccessibilityBus.h"
#include "platform/AccessibilityProvider.h"
#include "platform/AccessibilityTrust.h"
#include "platform/ApplicationActivator.h"
#include "platform/HotkeyService.h"
#include "platform/InputMethodRoute.h"
#include "platform/KeyPoster.h"
#include "platform/KeyboardHold.h"
#include "platform/KeyboardLayout.h"
#include "platform/KeyboardMonitor.h"
#include "platform/LoginItemService.h"
#include "platform/MainThreadExecutor.h"
#include "platform/RepeatingTimer.h"
#include "platform/Screens.h"
#include "platform/Sleeper.h"
#include "platform/Workspace.h"

namespace tiklo {

// Everything Tiklo asks of the system, one interface per concern, as the services are built
// over it. The objects behind the references outlive the services.
struct Platform {
    DefaultsStore& defaults;
    HotkeyService& hotkeys;
    LoginItemService& loginItems;
    Workspace& workspace;
    AccessibilityTrust& trust;
    AccessibilityProvider& accessibility;
    AccessibilityBus& accessibilityBus;
    const Screens& screens;
    KeyboardMonitor& keyboard;
    const KeyboardLayout& keyboardLayout;
    KeyboardHold& keyboardHold;
    KeyPoster& keyPoster;
    ApplicationActivator& activator;
    MainThreadExecutor& mainThread;
    Sleeper& sleeper;
    TimerFactory& timers;
    InputMethodRoute& inputMethod;
};

} // namespace tiklo
