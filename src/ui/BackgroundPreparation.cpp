#include "BackgroundPreparation.h"

#include <QMetaObject>

namespace tiklo {

BackgroundPreparation::BackgroundPreparation(std::function<void()> offThread,
                                             std::function<void()> onMainThread,
                                             std::function<void()> done, QObject* parent)
    : QObject(parent), offThread_(std::move(offThread)), onMainThread_(std::move(onMainThread)),
      done_(std::move(done)) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(quietTime);
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
        quiet_.start();
    }
}

void BackgroundPreparation::offThreadFinished() {
    offThreadDone_ = true;
    quiet_.start();
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
