// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BackgroundPreparation.h"

#include <QMetaObject>

#include <algorithm>

namespace tiklo {

BackgroundPreparation::BackgroundPreparation(std::function<void()> offThread,
                                             std::function<void()> onMainThread,
                                             std::function<void()> done, QObject* parent,
                                             std::chrono::milliseconds startDelay)
    : QObject(parent), offThread_(std::move(offThread)), onMainThread_(std::move(onMainThread)),
      done_(std::move(done)), startDelay_(startDelay) {
    quiet_.setSingleShot(true);
    quiet_.setTimerType(Qt::PreciseTimer);
    connect(&quiet_, &QTimer::timeout, this, &BackgroundPreparation::quiet);
}

BackgroundPreparation::~BackgroundPreparation() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void BackgroundPreparation::start() {
    if (thread_.joinable() || offThreadDone_) {
        return;
    }
    notBefore_ = std::chrono::steady_clock::now() + startDelay_;
    thread_ = std::thread([this] {
        if (offThread_) {
            offThread_();
        }
        QMetaObject::invokeMethod(this, &BackgroundPreparation::offThreadFinished,
                                  Qt::QueuedConnection);
    });
}

void BackgroundPreparation::keyPressed() {
    if (offThreadDone_ && !mainThreadDone_) {
        waitForQuiet();
    }
}

void BackgroundPreparation::offThreadFinished() {
    offThreadDone_ = true;
    waitForQuiet();
}

void BackgroundPreparation::waitForQuiet() {
    const auto untilStartDelay =
        std::chrono::ceil<std::chrono::milliseconds>(notBefore_ - std::chrono::steady_clock::now());
    quiet_.start(std::max(quietTime, untilStartDelay));
}

void BackgroundPreparation::quiet() {
    if (mainThreadDone_) {
        return;
    }
    mainThreadDone_ = true;
    if (onMainThread_) {
        onMainThread_();
    }
    if (done_) {
        done_();
    }
}

} // namespace tiklo
