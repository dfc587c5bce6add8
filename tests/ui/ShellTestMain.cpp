// SPDX-License-Identifier: GPL-3.0-or-later
// gtest main with a widgets application object, for the tray menu and the windows.
#include <QApplication>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

// The views' theme; the window controllers bring in their own modules.
Q_IMPORT_QML_PLUGIN(Tiklo_ThemePlugin)

int main(int argc, char** argv) {
    // No display is needed; test discovery runs this without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
