// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/LogCapture.h"

namespace tiklo::test {
namespace {

LogCapture* active = nullptr;

void collect(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (active != nullptr) {
        active->lines.append(QString::fromUtf8(context.category) + ": " + message);
    }
}

} // namespace

LogCapture::LogCapture() : previous_(qInstallMessageHandler(collect)) {
    active = this;
}

LogCapture::~LogCapture() {
    active = nullptr;
    qInstallMessageHandler(previous_);
}

} // namespace tiklo::test
