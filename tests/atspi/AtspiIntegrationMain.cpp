// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/XvfbTestMain.h"

#include <QCoreApplication>

// Every test also has its own accessibility bus, so no application of the developer's desktop
// is ever asked.
int main(int argc, char** argv) {
    // For the test applications: they must register, the Qt one whatever the bus says, and
    // none may look for a settings service the private bus does not have.
    unsetenv("NO_AT_BRIDGE");
    setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);
    // Qt's D-Bus needs an application object; a core one registers no accessible tree.
    return tiklo::test::runTestsOnPrivateDisplay<QCoreApplication>(
        argc, argv, {.windowManager = true, .sessionBus = true, .accessibilityBus = true});
}
