// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtMainThreadExecutor.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace tiklo {
namespace {

// Shared by the waiting thread and the queued call: the waiter may give up only while the
// work has not started, because the work refers to the waiter's stack.
struct Handoff {
    std::mutex mutex;
    std::condition_variable changed;
    bool started = false;
    bool finished = false;
    bool abandoned = false;
};

} // namespace

void QtMainThreadExecutor::runSync(const std::function<void()>& work) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || shutDown_) {
        return;
    }
    if (QThread::currentThread() == app->thread()) {
        work();
        return;
    }
    auto handoff = std::make_shared<Handoff>();
    QMetaObject::invokeMethod(
        app,
        [&work, handoff] {
            {
                std::lock_guard lock(handoff->mutex);
                if (handoff->abandoned) {
                    return;
                }
                handoff->started = true;
            }
            work();
            std::lock_guard lock(handoff->mutex);
            handoff->finished = true;
            handoff->changed.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(handoff->mutex);
    // Poll, so a shutdown while waiting does not leave this thread stuck.
    while (!handoff->changed.wait_for(lock, std::chrono::milliseconds(50),
                                      [&] { return handoff->finished; })) {
        if (shutDown_ && !handoff->started) {
            handoff->abandoned = true;
            return;
        }
    }
}

} // namespace tiklo
