// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/X11TestEnvironment.h"
#include "support/ChildProcess.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>

namespace tiklo::test {

xcb_connection_t* qtConnection() {
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_window_t qtRootWindow() {
    return xcb_setup_roots_iterator(xcb_get_setup(qtConnection())).data->root;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    while (!done()) {
        if (deadline.hasExpired()) {
            return done();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

bool xdotool(const QStringList& arguments) {
    std::vector<std::string> command{"xdotool"};
    for (const QString& argument : arguments) {
        command.push_back(argument.toStdString());
    }
    return ChildProcess::run(command, std::chrono::seconds(5)).succeeded();
}

} // namespace tiklo::test
