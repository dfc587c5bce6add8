// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/RunningApplication.h"
#include "support/ChildProcess.h"

#include <cstdlib>

namespace tiklo::test {

// The Qt text field helper (TextFieldHelper.cpp), in a process of its own, with the keyboard.
class TextFieldProcess {
public:
    TextFieldProcess() : process_({TIKLO_TEXT_FIELD_HELPER}, {.input = true}) {
        const std::string ready = process_.readLine(std::chrono::seconds(20)).value_or("");
        if (ready.starts_with("ready ")) {
            window_ = std::strtoull(ready.c_str() + 6, nullptr, 10);
        }
    }

    bool ready() const { return window_ != 0; }
    RunningApplication application() const { return {"tiklo-test-field", process_.pid(), window_}; }
    std::string text() { return ask("text"); }
    int returns() { return std::atoi(ask("returns").c_str()); }
    // When the text last changed, by the steady clock.
    std::chrono::steady_clock::time_point changed() {
        return std::chrono::steady_clock::time_point(
            std::chrono::steady_clock::duration(std::atoll(ask("changed").c_str())));
    }
    void clear() { ask("clear"); }
    bool makePassword() { return ask("password") == "password"; }

private:
    std::string ask(const std::string& command) {
        process_.writeLine(command);
        return process_.readLine(std::chrono::seconds(5)).value_or("");
    }

    ChildProcess process_;
    std::uint64_t window_ = 0;
};

} // namespace tiklo::test
