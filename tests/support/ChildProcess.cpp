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
constexpr auto reapInterval = std::chrono::milliseconds(5);

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

// Both ends close on exec; the child's end is put in place with dup2 or kept open by name.
struct Channel {
    int read = -1;
    int write = -1;

    bool open() {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return false;
        }
        read = fds[0];
        write = fds[1];
        return true;
    }
    void close() {
        closeIfOpen(read);
        closeIfOpen(write);
    }
};

// Waits for `pid` until `deadline`; its exit status, or nothing when it did not end in time
// or did not exit normally. `ended` tells the two apart.
std::optional<int> reap(pid_t pid, Clock::time_point deadline, bool& ended) {
    int status = 0;
    pid_t reaped = 0;
    while ((reaped = ::waitpid(pid, &status, WNOHANG)) == 0 && left(deadline).count() > 0) {
        std::this_thread::sleep_for(reapInterval);
    }
    ended = reaped != 0;
    if (reaped == pid && WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return std::nullopt;
}

} // namespace

ChildProcess::ChildProcess(std::vector<std::string> arguments)
    : ChildProcess(std::move(arguments), Options{}) {}

ChildProcess::ChildProcess(std::vector<std::string> arguments, Options options) {
    Channel input, output, errors, report;
    const bool channels =
        (!options.input || input.open()) && (options.output != Stream::pipe || output.open()) &&
        (options.errors != Stream::pipe || errors.open()) && (!options.reportPipe || report.open());
    int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    if (arguments.empty() || !channels || devNull < 0) {
        for (Channel* channel : {&input, &output, &errors, &report}) {
            channel->close();
        }
        closeIfOpen(devNull);
        return;
    }
    for (std::string& argument : arguments) {
        if (const auto at = argument.find("{fd}"); at != std::string::npos && report.write >= 0) {
            argument.replace(at, 4, std::to_string(report.write));
        }
    }
    // Everything is prepared before fork: afterwards only async-signal-safe calls are allowed.
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const auto target = [&](Stream stream, const Channel& channel) {
        return stream == Stream::pipe ? channel.write : stream == Stream::discard ? devNull : -1;
    };
    const int childInput = options.input ? input.read : devNull;
    const int childOutput = target(options.output, output);
    const int childErrors = target(options.errors, errors);

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
        if (report.write >= 0) {
            ::fcntl(report.write, F_SETFD, 0);
        }
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(devNull);
    closeIfOpen(input.read);
    closeIfOpen(output.write);
    closeIfOpen(errors.write);
    closeIfOpen(report.write);
    input_ = input.write;
    output_.fd = output.read;
    errors_.fd = errors.read;
    report_.fd = report.read;
    // Also from here, so that the group exists whichever of the two runs first. (The
    // destructor closes the pipes of a program that could not start.)
    if (pid_ > 0) {
        ::setpgid(pid_, pid_);
    }
}

ChildProcess::~ChildProcess() {
    for (int* fd : {&input_, &output_.fd, &errors_.fd, &report_.fd}) {
        closeIfOpen(*fd);
    }
    if (pid_ > 0) {
        // A stopped process only acts on SIGTERM once continued.
        ::kill(-pid_, SIGTERM);
        ::kill(-pid_, SIGCONT);
        bool ended = false;
        reap(pid_, Clock::now() + terminateGrace, ended);
        endGroup(ended);
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
    std::string folder;
    while (std::getline(folders, folder, ':')) {
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

std::optional<std::string> ChildProcess::readLine(std::chrono::milliseconds timeout) {
    return readLineFrom(output_, timeout);
}

std::optional<std::string> ChildProcess::readReportLine(std::chrono::milliseconds timeout) {
    return readLineFrom(report_, timeout);
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
        const std::chrono::milliseconds wait = left(deadline);
        if (pipe.fd < 0 || wait.count() <= 0) {
            return std::nullopt;
        }
        pollfd entry{pipe.fd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(wait.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return std::nullopt;
        }
        char chunk[256];
        const ssize_t count = ::read(pipe.fd, chunk, sizeof chunk);
        if (count <= 0) {
            return std::nullopt;
        }
        pipe.buffered.append(chunk, static_cast<std::size_t>(count));
    }
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
    exit.output = std::exchange(output_.buffered, {});
    exit.errors = std::exchange(errors_.buffered, {});
    std::string* texts[] = {&exit.output, &exit.errors};
    // Until the end of both outputs: a program may exit only once its output has been read.
    pollfd entries[] = {{output_.fd, POLLIN, 0}, {errors_.fd, POLLIN, 0}};
    while (left(deadline).count() > 0 && (entries[0].fd >= 0 || entries[1].fd >= 0)) {
        const int ready = ::poll(entries, 2, static_cast<int>(left(deadline).count()) + 1);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            break;
        }
        for (int stream = 0; stream < 2; ++stream) {
            if (entries[stream].fd < 0 || entries[stream].revents == 0) {
                continue;
            }
            char chunk[4096];
            const ssize_t count = ::read(entries[stream].fd, chunk, sizeof chunk);
            if (count > 0) {
                texts[stream]->append(chunk, static_cast<std::size_t>(count));
            } else if (count == 0 || errno != EINTR) {
                entries[stream].fd = -1; // poll skips negative descriptors
            }
        }
    }
    closeIfOpen(output_.fd);
    closeIfOpen(errors_.fd);
    bool ended = false;
    exit.status = reap(pid_, deadline, ended);
    endGroup(ended);
    return exit;
}

} // namespace tiklo::test
