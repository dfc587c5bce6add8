// SPDX-License-Identifier: GPL-3.0-or-later
// A Qt application with one text field, for tests that type into a real application. It
// prints "ready <window id>" once the field has the keyboard focus, then answers commands
// read from stdin, one per line, until stdin ends: "text" prints the field's text as UTF-8 on
// one line, "returns" how often Return was pressed in it, "changed" when its text last changed
// (steady clock nanoseconds, comparable across processes), "clear" empties it, "password" hides
// its text as it is typed (answering "password"). With --caret-probe the field holds "tiklo
// caret probe" with the caret at offset 5, and the ready line gives the field's place on
// screen instead: "ready X Y WIDTH HEIGHT".
#include <chrono>
#include <cstdio>
#include <string>

#include <QApplication>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QTimer>
#include <unistd.h>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ); // every answer goes out at its newline
    const bool probe = QApplication::arguments().contains(QStringLiteral("--caret-probe"));
    QLineEdit field(probe ? QStringLiteral("tiklo caret probe") : QString());
    field.setWindowTitle(QStringLiteral("Tiklo test field"));
    field.resize(480, 40);
    int returns = 0;
    QObject::connect(&field, &QLineEdit::returnPressed, [&returns] { ++returns; });
    std::chrono::steady_clock::time_point changed;
    QObject::connect(&field, &QLineEdit::textChanged,
                     [&changed] { changed = std::chrono::steady_clock::now(); });
    field.show();
    field.raise();
    field.activateWindow();

    QTimer readiness;
    QObject::connect(&readiness, &QTimer::timeout, [&] {
        if (!field.isActiveWindow() || !field.hasFocus()) {
            return;
        }
        readiness.stop();
        if (probe) {
            field.deselect();
            field.setCursorPosition(5);
            const QPoint origin = field.mapToGlobal(QPoint(0, 0));
            std::printf("ready %d %d %d %d\n", origin.x(), origin.y(), field.width(),
                        field.height());
        } else {
            std::printf("ready %llu\n", static_cast<unsigned long long>(field.winId()));
        }
    });
    readiness.start(10);

    std::string pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) {
            application.quit();
            return;
        }
        pending.append(buffer, static_cast<std::size_t>(count));
        for (auto end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            const std::string command = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (command == "text") {
                std::puts(field.text().toUtf8().constData());
            } else if (command == "returns") {
                std::printf("%d\n", returns);
            } else if (command == "changed") {
                std::printf("%lld\n", static_cast<long long>(changed.time_since_epoch().count()));
            } else if (command == "clear") {
                field.clear();
                returns = 0;
                std::puts("cleared");
            } else if (command == "password") {
                field.setEchoMode(QLineEdit::Password);
                std::puts("password");
            }
        }
    });
    return application.exec();
}
