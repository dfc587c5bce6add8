// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RunningApplication.h"

#include <chrono>
#include <cstdint>
#include <string>

#include <QDeadlineTimer>
#include <QProcess>

namespace tiklo::test {

// The Qt text field helper (TextFieldHelper.cpp), in a process of its own, with the keyboard.
class TextFieldProcess {
public:
    TextFieldProcess() {
        process_.start(QStringLiteral(TIKLO_TEXT_FIELD_HELPER), {});
        const QByteArray ready = line(std::chrono::seconds(20));
        if (ready.startsWith("ready ")) {
            window_ = ready.mid(6).toULongLong();
        }
    }
    ~TextFieldProcess() {
        process_.write("quit\n");
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(1000);
        }
    }

    bool ready() const { return window_ != 0; }
    RunningApplication application() const {
        return {"tiklo-test-field", process_.processId(), window_};
    }
    std::string text() { return ask("text").toStdString(); }
    int returns() { return ask("returns").toInt(); }
    void clear() { ask("clear"); }
    bool makePassword() { return ask("password") == "password"; }

private:
    QByteArray ask(const char* command) {
        process_.write(command);
        process_.write("\n");
        return line(std::chrono::seconds(5));
    }
    QByteArray line(std::chrono::milliseconds timeout) {
        const QDeadlineTimer deadline(timeout);
        while (!process_.canReadLine() && !deadline.hasExpired()) {
            process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()));
        }
        QByteArray answer = process_.readLine();
        if (answer.endsWith('\n')) {
            answer.chop(1);
        }
        return answer;
    }

    QProcess process_;
    std::uint64_t window_ = 0;
};

} // namespace tiklo::test
