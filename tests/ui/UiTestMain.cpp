// SPDX-License-Identifier: GPL-3.0-or-later
// gtest main with a widgets application object, as the program has, for the tray menu, the
// dialogs and the views; drawing offscreen unless told otherwise.
#include <QApplication>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

Q_IMPORT_QML_PLUGIN(Tiklo_AppPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_SessionPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_ThemePlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_PickerPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_SettingsPlugin)

int main(int argc, char** argv) {
    // Test discovery runs this without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
