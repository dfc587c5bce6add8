// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/XvfbTestMain.h"

#include <QGuiApplication>

int main(int argc, char** argv) {
    return tiklo::test::runTestsOnPrivateDisplay<QGuiApplication>(
        argc, argv, {.windowManager = true, .sessionBus = true});
}
