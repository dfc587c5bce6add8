// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include <QObject>
#include <QTimer>

namespace tiklo {

// Prepares what the first popup needs soon after start, so that it comes as quickly as the
// others: one piece on a thread of its own at once (the catalog), the other on the main
// thread (the window, its first frame) a little later, once the user has not typed for a
// moment, because the main thread also reads the keys, and a key waiting behind the
// preparation would be late. Someone typing right after start gets the first popup made on
// the spot: the keys wait for it in the keyboard hold.
class BackgroundPreparation : public QObject {
    Q_OBJECT
public:
    // No key for this long counts as a pause in the typing.
    static constexpr std::chrono::milliseconds quietTime{700};
    // The main thread's part waits at least this long after start: the desktop is busy
    // starting then, and whoever types at once is better served by the popup made on demand.
    static constexpr std::chrono::milliseconds startDelay{3000};

    // `offThread` runs on a thread of its own; `onMainThread` after it, on the main thread,
    // in a pause; `done` on the main thread once both have run.
    BackgroundPreparation(std::function<void()> offThread, std::function<void()> onMainThread,
                          std::function<void()> done, QObject* parent = nullptr,
                          std::chrono::milliseconds startDelay = BackgroundPreparation::startDelay);
    // Waits for the thread: its work is cheap enough to finish.
    ~BackgroundPreparation() override;
    BackgroundPreparation(const BackgroundPreparation&) = delete;
    BackgroundPreparation& operator=(const BackgroundPreparation&) = delete;

    void start();
    // The user typed: the main thread's part waits for the next pause.
    void keyPressed();

private:
    void offThreadFinished();
    void waitForQuiet();
    void quiet();

    std::function<void()> offThread_;
    std::function<void()> onMainThread_;
    std::function<void()> done_;
    std::thread thread_;
    QTimer quiet_;
    std::chrono::milliseconds startDelay_;
    std::chrono::steady_clock::time_point notBefore_;
    bool offThreadDone_ = false;
    bool mainThreadDone_ = false;
};

} // namespace tiklo
