#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tiklo::test {

// A program run for a test, with this process's environment, in a process group of its own,
// talking over its standard input and output. The destructor ends the whole group, stopped
// or not, and reaps the child.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    // The next line the program writes, or nothing by `timeout` or at end of output.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout);
    bool writeLine(const std::string& line);
    // Sends `signal` to the program alone (SIGSTOP, SIGCONT).
    bool signal(int signal) const;

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string buffered_;
};

} // namespace tiklo::test
