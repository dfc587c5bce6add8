#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tiklo::test {

// A program run to completion with this process's environment, its standard output and
// standard error kept apart. A program still running at the deadline is killed.
class Command {
public:
    struct Result {
        // The exit status; nothing when the program could not start, was killed or timed out.
        std::optional<int> status;
        std::string output;
        std::string errors;

        bool succeeded() const { return status == 0; }
    };

    static Result run(const std::vector<std::string>& arguments,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10));
};

} // namespace tiklo::test
