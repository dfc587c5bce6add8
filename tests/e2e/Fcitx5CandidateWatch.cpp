// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/Fcitx5CandidateWatch.h"

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

std::string trimmed(const std::string& line) {
    const auto first = line.find_first_not_of(' ');
    return first == std::string::npos ? "" : line.substr(first);
}

} // namespace

Fcitx5CandidateWatch::Fcitx5CandidateWatch(const std::vector<std::string>& launcher) {
    std::vector<std::string> arguments = launcher;
    arguments.insert(arguments.end(), {"dbus-monitor", "--session",
                                       "type='signal',interface='org.fcitx.Fcitx.InputContext1',"
                                       "member='UpdateClientSideUI'"});
    monitor_ = std::make_unique<ChildProcess>(
        arguments, ChildProcess::Options{.errors = ChildProcess::Stream::discard});
    // Once a monitor, it has left the bus under its own name, and says so.
    for (auto line = monitor_->readLine(10s); line; line = monitor_->readLine(10s)) {
        if (line->find("member=NameLost") != std::string::npos) {
            ready_ = true;
            break;
        }
    }
}

bool Fcitx5CandidateWatch::read(const std::string& line) {
    if (line.starts_with("signal ") || line.starts_with("method ")) {
        inList_ = line.find("member=UpdateClientSideUI") != std::string::npos;
        flagsSeen_ = 0;
        strings_.clear();
        list_.clear();
        return false;
    }
    if (!inList_) {
        return false;
    }
    // The signal's arguments: preedit, cursor, the two auxiliary texts (each a list of
    // text and format), the candidates (label and text pairs), the cursor's candidate,
    // the layout, and two page flags that close it.
    const std::string text = trimmed(line);
    if (text == "struct {") {
        strings_.clear();
    } else if (text.starts_with("string \"") && text.ends_with("\"")) {
        strings_.push_back(text.substr(8, text.size() - 9));
    } else if (text == "}") {
        if (strings_.size() == 2) {
            list_.push_back(strings_[1]);
        }
        strings_.clear();
    } else if (text.starts_with("boolean ") && ++flagsSeen_ == 2) {
        inList_ = false;
        return true;
    }
    return false;
}

Fcitx5CandidateWatch::List
Fcitx5CandidateWatch::waitForList(const std::function<bool(const List&)>& wanted,
                                  std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    List last;
    while (ready_) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        const std::optional<std::string> line = monitor_->readLine(left);
        if (!line) {
            break;
        }
        if (read(*line)) {
            last = list_;
            if (wanted(last)) {
                break;
            }
        }
    }
    return last;
}

} // namespace tiklo::test
