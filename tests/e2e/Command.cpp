#include "e2e/Command.h"

#include <cerrno>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tiklo::test {
namespace {

using Clock = std::chrono::steady_clock;

std::chrono::milliseconds left(Clock::time_point deadline) {
    return std::max(std::chrono::milliseconds(0),
                    std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
}

} // namespace

Command::Result Command::run(const std::vector<std::string>& arguments,
                             std::chrono::milliseconds timeout) {
    Result result;
    int fds[2];
    int errorFds[2];
    if (arguments.empty() || pipe2(fds, O_CLOEXEC) != 0) {
        return result;
    }
    if (pipe2(errorFds, O_CLOEXEC) != 0) {
        close(fds[0]);
        close(fds[1]);
        return result;
    }
    // Built before fork: afterwards only async-signal-safe calls are allowed.
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) {
            _exit(127);
        }
        const int devNull = open("/dev/null", O_RDWR);
        dup2(devNull, STDIN_FILENO);
        dup2(fds[1], STDOUT_FILENO);
        dup2(errorFds[1], STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    close(errorFds[1]);
    if (pid < 0) {
        close(fds[0]);
        close(errorFds[0]);
        return result;
    }
    const auto deadline = Clock::now() + timeout;
    // Until end of both outputs: a program may exit only once its output has been read.
    pollfd entries[] = {{fds[0], POLLIN, 0}, {errorFds[0], POLLIN, 0}};
    std::string* texts[] = {&result.output, &result.errors};
    while (left(deadline).count() > 0 && (entries[0].fd >= 0 || entries[1].fd >= 0)) {
        const int ready = poll(entries, 2, static_cast<int>(left(deadline).count()) + 1);
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
            const ssize_t count = read(entries[stream].fd, chunk, sizeof chunk);
            if (count > 0) {
                texts[stream]->append(chunk, static_cast<std::size_t>(count));
            } else if (count == 0 || errno != EINTR) {
                entries[stream].fd = -1; // poll skips negative descriptors
            }
        }
    }
    close(fds[0]);
    close(errorFds[0]);
    int status = 0;
    pid_t reaped = 0;
    while ((reaped = waitpid(pid, &status, WNOHANG)) == 0 && left(deadline).count() > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (reaped == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return result;
    }
    if (reaped == pid && WIFEXITED(status)) {
        result.status = WEXITSTATUS(status);
    }
    return result;
}

} // namespace tiklo::test
