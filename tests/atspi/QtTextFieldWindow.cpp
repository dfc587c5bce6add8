// A Qt window with one focused QLineEdit, for the AT-SPI tests. Prints
// "ready X Y WIDTH HEIGHT" (the window's client area on screen) once the field has keyboard
// focus with the caret at offset 5.

#include <cstdio>

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLineEdit field(QStringLiteral("tiklo caret probe"));
    field.setWindowTitle(QStringLiteral("tiklo-qt-field"));
    field.resize(400, 40);
    field.show();
    field.activateWindow();

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!field.isActiveWindow() || !field.hasFocus()) {
            return;
        }
        poll.stop();
        field.deselect();
        field.setCursorPosition(5);
        const QPoint origin = field.mapToGlobal(QPoint(0, 0));
        std::printf("ready %d %d %d %d\n", origin.x(), origin.y(), field.width(), field.height());
        std::fflush(stdout);
    });
    poll.start(20);
    return QApplication::exec();
}
