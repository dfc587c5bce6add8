#pragma once

#include "app/AppState.h"
#include "support/FakePlatform.h"

namespace tiklo::test {

// A settings store over in-memory fakes of everything it talks to. Fixtures derive from it
// so the store and its fakes are members under their usual names.
struct FakeAppEnvironment {
    FakeDefaultsStore defaults;
    FakeHotkeyService hotkeyService;
    HotkeyManager hotkeys{hotkeyService};
    FakeLoginItemService loginService;
    LoginItem loginItem{loginService};
    FakeWorkspace workspace;
    FakeAccessibilityTrust trust;
    AppState state{{defaults, hotkeys, loginItem, workspace, trust}};
};

} // namespace tiklo::test
