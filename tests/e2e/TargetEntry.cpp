// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/TargetEntry.h"

#include "support/Poll.h"

#include <charconv>
#include <sstream>

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
    const nlohmann::json text = nlohmann::json::parse(ask("text").value_or(""), nullptr, false);
    return text.is_string() ? std::optional(text.get<std::string>()) : std::nullopt;
}

bool TargetEntry::setText(const std::string& text) {
    return ask("set " + nlohmann::json(text).dump(-1, ' ', true)) == "ok";
}

bool TargetEntry::makeSecret() {
    return ask("secret") == "ok";
}

std::optional<ScreenRect> TargetEntry::askRect(const std::string& command) {
    std::istringstream words(ask(command).value_or(""));
    ScreenRect rect;
    return words >> rect.x >> rect.y >> rect.width >> rect.height ? std::optional(rect)
                                                                  : std::nullopt;
}

std::optional<std::chrono::steady_clock::time_point> TargetEntry::lastChange() {
    const std::string answer = ask("changed").value_or("");
    long long nanoseconds = 0;
    if (answer.empty() ||
        std::from_chars(answer.data(), answer.data() + answer.size(), nanoseconds).ec !=
            std::errc()) {
        return std::nullopt;
    }
    return std::chrono::steady_clock::time_point(std::chrono::nanoseconds(nanoseconds));
}

std::string TargetEntry::waitForText(const std::string& expected,
                                     std::chrono::milliseconds timeout) {
    std::string last;
    pollFor([&] { return (last = text().value_or(last)) == expected; }, timeout);
    return last;
}

} // namespace tiklo::test
