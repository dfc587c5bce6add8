// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/TargetEntry.h"

#include <sstream>
#include <thread>

#include <nlohmann/json.hpp>

namespace tiklo::test {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> command(const std::string& initialText, TargetEntry::Kind kind,
                                 const std::vector<std::string>& launcher) {
    std::vector<std::string> arguments = launcher;
    arguments.insert(arguments.end(), {TIKLO_TEST_PYTHON, TIKLO_TARGET_ENTRY});
    if (kind == TargetEntry::Kind::gtk3TextView) {
        arguments.emplace_back("--multiline");
    } else if (kind == TargetEntry::Kind::gtk4Entry) {
        arguments.emplace_back("--gtk4");
    }
    arguments.push_back(initialText);
    return arguments;
}

} // namespace

TargetEntry::TargetEntry(const std::string& initialText, Kind kind,
                         const std::vector<std::string>& launcher)
    : process_(command(initialText, kind, launcher), {.input = true}) {
    // "ready" and the field's place on screen, once it has the keyboard.
    ready_ = process_.started() && process_.readLine(15s).value_or("").starts_with("ready ");
}

std::optional<std::string> TargetEntry::ask(const std::string& command) {
    if (!ready_ || !process_.writeLine(command)) {
        return std::nullopt;
    }
    const std::optional<std::string> answer = process_.readLine(5s);
    // Answers begin with the command's first word.
    const std::string prefix = command.substr(0, command.find(' ')) + " ";
    if (!answer || !answer->starts_with(prefix)) {
        return std::nullopt;
    }
    return answer->substr(prefix.size());
}

std::optional<std::string> TargetEntry::text() {
    const std::optional<std::string> encoded = ask("text");
    if (!encoded) {
        return std::nullopt;
    }
    try {
        return nlohmann::json::parse(*encoded).get<std::string>();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool TargetEntry::setText(const std::string& text) {
    return ask("set " + nlohmann::json(text).dump(-1, ' ', true)) == "ok";
}

bool TargetEntry::makeSecret() {
    return ask("secret") == "ok";
}

std::optional<ScreenRect> TargetEntry::askRect(const std::string& command) {
    const std::optional<std::string> answer = ask(command);
    std::istringstream words(answer.value_or(""));
    ScreenRect rect;
    words >> rect.x >> rect.y >> rect.width >> rect.height;
    if (!answer || words.fail()) {
        return std::nullopt;
    }
    return rect;
}

std::optional<std::chrono::steady_clock::time_point> TargetEntry::lastChange() {
    const std::optional<std::string> nanoseconds = ask("changed");
    if (!nanoseconds) {
        return std::nullopt;
    }
    try {
        return std::chrono::steady_clock::time_point(
            std::chrono::nanoseconds(std::stoll(*nanoseconds)));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<ScreenRect> TargetEntry::caretLine() {
    return askRect("caret");
}

std::optional<ScreenRect> TargetEntry::entryFrame() {
    return askRect("entry");
}

std::string TargetEntry::waitForText(const std::string& expected,
                                     std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string last;
    while (true) {
        last = text().value_or(last);
        if (last == expected || std::chrono::steady_clock::now() >= deadline) {
            return last;
        }
        std::this_thread::sleep_for(20ms);
    }
}

} // namespace tiklo::test
