// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tiklo::test {
namespace {

using Clock = std::chrono::steady_clock;

// How long a program has to end on SIGTERM before its group is killed.
constexpr auto terminateGrace = std::chrono::seconds(2);

void closeIfOpen(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

std::chrono::milliseconds left(Clock::time_point deadline) {
    return std::max(std::chrono::milliseconds(0),
                    std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
}

// A pipe whose ends both close on exec, when `wanted`; {-1, -1} otherwise.
bool openPipe(bool wanted, int (&fds)[2]) {
    return !wanted || ::pipe2(fds, O_CLOEXEC) == 0;
}

// Waits for `pid` until `deadline`: whether it ended, and its exit status when it exited.
bool reap(pid_t pid, Clock::time_point deadline, std::optional<int>* status = nullptr) {
    int raw = 0;
    pid_t reaped = 0;
    while ((reaped = ::waitpid(pid, &raw, WNOHANG)) == 0 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (status != nullptr && reaped == pid && WIFEXITED(raw)) {
        *status = WEXITSTATUS(raw);
    }
    return reaped != 0;
}

} // namespace

ChildProcess::ChildProcess(std::vector<std::string> arguments)
    : ChildProcess(std::move(arguments), Options{}) {}

ChildProcess::ChildProcess(std::vector<std::string> arguments, Options options) {
    int input[2]{-1, -1}, output[2]{-1, -1}, errors[2]{-1, -1}, report[2]{-1, -1};
    int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const bool prepared = !arguments.empty() && devNull >= 0 && openPipe(options.input, input) &&
                          openPipe(options.output == Stream::pipe, output) &&
                          openPipe(options.errors == Stream::pipe, errors) &&
                          openPipe(options.reportPipe, report);
    if (prepared) {
        // Everything is prepared before fork: afterwards only async-signal-safe calls are allowed.
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            if (const auto at = argument.find("{fd}"); at != std::string::npos && report[1] >= 0) {
                argument.replace(at, 4, std::to_string(report[1]));
            }
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        const auto target = [&](Stream stream, int pipeEnd) {
            return stream == Stream::pipe ? pipeEnd : stream == Stream::discard ? devNull : -1;
        };
        const int childInput = options.input ? input[0] : devNull;
        const int childOutput = target(options.output, output[1]);
        const int childErrors = target(options.errors, errors[1]);

        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ == 0) {
            // The child dies with the test, whichever way the test ends.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent) {
                ::_exit(127);
            }
            ::setpgid(0, 0);
            ::dup2(childInput, STDIN_FILENO);
            if (childOutput >= 0) {
                ::dup2(childOutput, STDOUT_FILENO);
            }
            if (childErrors >= 0) {
                ::dup2(childErrors, STDERR_FILENO);
            }
            if (report[1] >= 0) {
                ::fcntl(report[1], F_SETFD, 0); // kept open by its number
            }
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
        // Also from here, so that the group exists whichever of the two runs first.
        if (pid_ > 0) {
            ::setpgid(pid_, pid_);
        }
    }
    // The child's ends; the destructor closes ours, also when the program could not start.
    for (int* fd : {&devNull, &input[0], &output[1], &errors[1], &report[1]}) {
        closeIfOpen(*fd);
    }
    input_ = input[1];
    output_.fd = output[0];
    errors_.fd = errors[0];
    report_.fd = report[0];
}

ChildProcess::~ChildProcess() {
    for (int* fd : {&input_, &output_.fd, &errors_.fd, &report_.fd}) {
        closeIfOpen(*fd);
    }
    if (pid_ > 0) {
        // A stopped process only acts on SIGTERM once continued.
        ::kill(-pid_, SIGTERM);
        ::kill(-pid_, SIGCONT);
        endGroup(reap(pid_, Clock::now() + terminateGrace));
    }
}

void ChildProcess::endGroup(bool reaped) {
    // Whatever the program started in its group goes with it.
    ::kill(-pid_, SIGKILL);
    if (!reaped) {
        ::waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
}

void ChildProcess::kill() {
    if (pid_ > 0) {
        endGroup(false);
    }
}

bool ChildProcess::onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

ChildProcess::Exit ChildProcess::run(const std::vector<std::string>& arguments,
                                     std::chrono::milliseconds timeout) {
    ChildProcess process(arguments, {.output = Stream::pipe, .errors = Stream::pipe});
    return process.finish(timeout);
}

std::optional<std::string> ChildProcess::readLineFrom(Pipe& pipe,
                                                      std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (true) {
        if (const auto end = pipe.buffered.find('\n'); end != std::string::npos) {
            std::string line = pipe.buffered.substr(0, end);
            pipe.buffered.erase(0, end + 1);
            return line;
        }
        if (pipe.fd < 0 || left(deadline).count() <= 0 || !readSome({&pipe}, left(deadline))) {
            return std::nullopt;
        }
    }
}

bool ChildProcess::readSome(std::initializer_list<Pipe*> pipes, std::chrono::milliseconds wait) {
    std::vector<pollfd> entries;
    for (const Pipe* pipe : pipes) {
        entries.push_back({pipe->fd, POLLIN, 0}); // poll skips negative descriptors
    }
    const int ready = ::poll(entries.data(), entries.size(), static_cast<int>(wait.count()));
    if (ready <= 0) {
        return ready < 0 && errno == EINTR;
    }
    for (std::size_t index = 0; index < entries.size(); ++index) {
        if (entries[index].revents == 0) {
            continue;
        }
        Pipe& pipe = *pipes.begin()[index];
        char chunk[4096];
        const ssize_t count = ::read(pipe.fd, chunk, sizeof chunk);
        if (count > 0) {
            pipe.buffered.append(chunk, static_cast<std::size_t>(count));
        } else if (count == 0 || errno != EINTR) {
            closeIfOpen(pipe.fd);
        }
    }
    return true;
}

bool ChildProcess::writeLine(const std::string& line) {
    // A program that has ended fails the write instead of ending the test with SIGPIPE.
    ::signal(SIGPIPE, SIG_IGN);
    const std::string bytes = line + "\n";
    return input_ >= 0 &&
           ::write(input_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

ChildProcess::Exit ChildProcess::finish(std::chrono::milliseconds timeout) {
    Exit exit;
    if (pid_ <= 0) {
        return exit;
    }
    closeIfOpen(input_);
    const auto deadline = Clock::now() + timeout;
    // Until the end of both outputs: a program may exit only once its output has been read.
    while ((output_.fd >= 0 || errors_.fd >= 0) && left(deadline).count() > 0 &&
           readSome({&output_, &errors_}, left(deadline))) {
    }
    exit.output = std::exchange(output_.buffered, {});
    exit.errors = std::exchange(errors_.buffered, {});
    closeIfOpen(output_.fd);
    closeIfOpen(errors_.fd);
    endGroup(reap(pid_, deadline, &exit.status));
    return exit;
}

} // namespace tiklo::test
