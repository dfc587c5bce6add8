// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/ChildProcess.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tiklo::test {

// The candidate lists fcitx5 sends over the session bus to fields that show their own
// (UpdateClientSideUI, which fcitx5's GTK module asks for on Wayland), read with dbus-monitor.
class Fcitx5CandidateWatch {
public:
    using List = std::vector<std::string>;

    // `launcher` as for the other programs of the session: the bus lets in its own user only.
    explicit Fcitx5CandidateWatch(const std::vector<std::string>& launcher);

    // False when dbus-monitor did not start watching in time.
    bool ready() const { return ready_; }
    // The candidates' texts of each list sent from now on, until one satisfies `wanted` or
    // the time is up; the last list seen.
    List waitForList(const std::function<bool(const List&)>& wanted,
                     std::chrono::milliseconds timeout);

private:
    // Reads one line of dbus-monitor's output into the list being put together; true when
    // that line ended a list.
    bool read(const std::string& line);

    std::unique_ptr<ChildProcess> monitor_;
    bool ready_ = false;
    bool inList_ = false;
    int flagsSeen_ = 0;
    List strings_;
    List list_;
};

} // namespace tiklo::test
