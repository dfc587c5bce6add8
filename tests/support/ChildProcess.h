// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <initializer_list>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tiklo::test {

// A program run for a test, with this process's environment, in a process group of its own.
// It dies with the test whichever way the test ends; the destructor ends the whole group,
// stopped or not, and reaps the program. The program is looked up in PATH unless the first
// argument names a path.
class ChildProcess {
public:
    // Where one of the program's outputs goes.
    enum class Stream {
        pipe,    // to this object: readLine() for standard output, finish() for both
        discard, // to /dev/null
        inherit, // to the test's own
    };

    struct Options {
        // Standard input from writeLine(); otherwise the program reads /dev/null.
        bool input = false;
        Stream output = Stream::pipe;
        Stream errors = Stream::inherit;
        // A pipe besides the standard ones that the program reports on: "{fd}" in the
        // arguments becomes its descriptor number (as for Xvfb -displayfd {fd}).
        bool reportPipe = false;
    };

    // How a program ended, and what it wrote to the outputs this object read.
    struct Exit {
        // The exit status; nothing when the program could not start, was killed or timed out.
        std::optional<int> status;
        std::string output;
        std::string errors;

        bool succeeded() const { return status == 0; }
    };

    // Standard output to readLine(), standard error to the test's, no standard input.
    explicit ChildProcess(std::vector<std::string> arguments);
    ChildProcess(std::vector<std::string> arguments, Options options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Runs a program to its end with both outputs kept apart; one still running at the
    // deadline is killed.
    static Exit run(const std::vector<std::string>& arguments,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Whether `program` is an executable in a folder of PATH: a test that needs it can say
    // it is missing instead of failing to start it.
    static bool onPath(const std::string& program);

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    // The next line the program writes on standard output (or on the report pipe), or
    // nothing by `timeout` or at end of output.
    std::optional<std::string> readLine(std::chrono::milliseconds timeout) {
        return readLineFrom(output_, timeout);
    }
    std::optional<std::string> readReportLine(std::chrono::milliseconds timeout) {
        return readLineFrom(report_, timeout);
    }
    bool writeLine(const std::string& line);
    // Ends the program's group at once, as a crash would, and reaps it.
    void kill();
    // Reads the piped outputs until the program ends; one still running at the deadline is
    // killed with its group.
    Exit finish(std::chrono::milliseconds timeout);

private:
    struct Pipe {
        int fd = -1;
        std::string buffered;
    };

    std::optional<std::string> readLineFrom(Pipe& pipe, std::chrono::milliseconds timeout);
    // Waits up to `wait` for the open ones of `pipes` and adds what they have to their buffers;
    // a pipe at its end is closed. False when nothing came.
    static bool readSome(std::initializer_list<Pipe*> pipes, std::chrono::milliseconds wait);
    // Kills whatever is left of the group and reaps the program unless `reaped`.
    void endGroup(bool reaped);

    pid_t pid_ = -1;
    int input_ = -1;
    Pipe output_;
    Pipe errors_;
    Pipe report_;
};

} // namespace tiklo::test
