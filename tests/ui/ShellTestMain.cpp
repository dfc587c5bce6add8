// gtest main with a widgets application object, for the tray menu and the picker window.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // No display is needed; test discovery runs this without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
