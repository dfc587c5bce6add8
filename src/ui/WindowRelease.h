// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

#include <QObject>
#include <QTimer>

class QQmlEngine;

namespace tiklo {

// What a hidden window lets go. Shortly after it hides, the memory its views freed goes back
// to the system; after a while unused, the window lets its views go (`release`), to be made
// again on the next showing.
class WindowRelease : public QObject {
    Q_OBJECT
public:
    // Past what one sitting of use leaves between showings, short of a whole idle session.
    static constexpr std::chrono::milliseconds unusedLimit = std::chrono::minutes(5);
    // After the hiding's last frames and deferred deletions, out of the way of a key typed
    // right after a choice.
    static constexpr std::chrono::milliseconds giveBackDelay = std::chrono::seconds(2);

    WindowRelease(QQmlEngine& engine, std::function<void()> release,
                  std::chrono::milliseconds unused = unusedLimit,
                  std::chrono::milliseconds delay = giveBackDelay, QObject* parent = nullptr);

    void hidden();
    void shown();

    // Collects the views' garbage and returns the heap's free pages to the system.
    static void giveBack(QQmlEngine& engine);

private:
    QQmlEngine& engine_;
    std::function<void()> release_;
    QTimer unused_;
    QTimer giveBack_;
};

} // namespace tiklo
