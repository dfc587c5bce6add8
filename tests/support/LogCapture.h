// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace tiklo::test {

// Collects the messages logged while it lives ("category: message"), instead of printing.
class LogCapture {
public:
    LogCapture() : previous_(qInstallMessageHandler(collect)) { active_ = this; }
    ~LogCapture() {
        active_ = nullptr;
        qInstallMessageHandler(previous_);
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList lines;

private:
    static void collect(QtMsgType, const QMessageLogContext& context, const QString& message) {
        if (active_ != nullptr) {
            active_->lines.append(QString::fromUtf8(context.category) + ": " + message);
        }
    }

    inline static LogCapture* active_ = nullptr;
    QtMessageHandler previous_;
};

} // namespace tiklo::test
