// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AppState.h"
#include "app/HotkeyManager.h"
#include "app/UsageHistory.h"
#include "support/FakePlatform.h"

namespace tiklo::test {

// A settings store and its usage history over in-memory fakes of everything they talk to.
// Fixtures derive from it so the store and its fakes are members under their usual names.
struct FakeAppEnvironment {
    FakeDefaultsStore defaults;
    FakeHotkeyService hotkeyService;
    HotkeyManager hotkeys{hotkeyService};
    FakeLoginItemService loginService;
    LoginItem loginItem{loginService};
    FakeWorkspace workspace;
    FakeAccessibilityTrust trust;
    AppState state{defaults, trust, loginItem};
    UsageHistory history{state};
};

} // namespace tiklo::test
