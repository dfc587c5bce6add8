// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/InstanceLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tiklo {
namespace {

constexpr mode_t privateFolderMode = 0700;
constexpr mode_t lockFileMode = 0600;

std::string describe(const std::filesystem::path& path, const char* what) {
    return path.string() + ": " + what;
}

} // namespace

InstanceLock::Folder InstanceLock::folder(const char* runtimeDir,
                                          const std::filesystem::path& temporaryRoot, uid_t user) {
    if (runtimeDir != nullptr && std::filesystem::path(runtimeDir).is_absolute()) {
        return {runtimeDir, {}};
    }
    const std::filesystem::path path = temporaryRoot / ("tiklo-" + std::to_string(user));
    if (::mkdir(path.c_str(), privateFolderMode) != 0 && errno != EEXIST) {
        return {path, describe(path, std::strerror(errno))};
    }
    // Checked through the opened folder itself, so it cannot be swapped in between; anyone
    // may have made it first in a shared temporary folder.
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return {path, describe(path, errno == ELOOP || errno == ENOTDIR ? "not a folder"
                                                                        : std::strerror(errno))};
    }
    struct stat info {};
    Folder result{path, {}};
    if (::fstat(fd, &info) != 0) {
        result.problem = describe(path, std::strerror(errno));
    } else if (info.st_uid != user) {
        result.problem = describe(path, "belongs to another user");
    } else if ((info.st_mode & 07777) != privateFolderMode &&
               ::fchmod(fd, privateFolderMode) != 0) {
        result.problem = describe(path, std::strerror(errno));
    }
    ::close(fd);
    return result;
}

InstanceLock::InstanceLock(std::filesystem::path file) : file_(std::move(file)) {}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

InstanceLock::Outcome InstanceLock::tryAcquire() {
    if (fd_ >= 0) {
        return Outcome::acquired;
    }
    // O_NONBLOCK: whatever stands there, opening it must not wait.
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                          lockFileMode);
    if (fd < 0) {
        error_ = describe(file_, std::strerror(errno));
        return Outcome::failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return Outcome::heldByAnother;
        }
        error_ = describe(file_, std::strerror(error));
        return Outcome::failed;
    }
    fd_ = fd;
    return Outcome::acquired;
}

} // namespace tiklo
