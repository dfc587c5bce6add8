// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtTimerFactory.h"

#include <QTimer>

namespace tiklo {
namespace {

class QtRepeatingTimer : public RepeatingTimer {
public:
    QtRepeatingTimer(double seconds, std::function<void()> tick) : timer_(new QTimer) {
        QObject::connect(timer_, &QTimer::timeout, timer_, std::move(tick));
        timer_->start(static_cast<int>(seconds * 1000));
    }
    ~QtRepeatingTimer() override {
        // The handle may be dropped from inside its own tick: let Qt delete the timer later.
        timer_->stop();
        timer_->deleteLater();
    }

private:
    QTimer* timer_;
};

} // namespace

std::unique_ptr<RepeatingTimer> QtTimerFactory::startRepeating(double seconds,
                                                               std::function<void()> tick) {
    return std::make_unique<QtRepeatingTimer>(seconds, std::move(tick));
}

} // namespace tiklo
