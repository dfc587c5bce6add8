// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tiklo {
namespace {

// What mkostemp replaces with random characters.
constexpr std::string_view temporarySuffix = "XXXXXX";

Result failure(const char* what, int error) {
    return Result::failure(error, std::string(what) + ": " + std::strerror(error));
}

std::filesystem::path folderOf(const std::filesystem::path& path) {
    const std::filesystem::path parent = path.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

std::string temporaryPrefix(const std::filesystem::path& path) {
    return "." + path.filename().string() + ".";
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool copyAll(int from, int to) {
    char buffer[65536];
    while (true) {
        const ssize_t count = ::read(from, buffer, sizeof buffer);
        if (count == 0) {
            return true;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (!writeAll(to, std::string_view(buffer, static_cast<std::size_t>(count)))) {
            return false;
        }
    }
}

// Creates what is missing of `folder`; answers 0 or the errno of what failed.
int createFolder(const std::filesystem::path& folder, mode_t mode) {
    std::filesystem::path partial;
    for (const auto& part : folder) {
        partial /= part;
        struct stat info {};
        if (::stat(partial.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            continue;
        }
        if (::mkdir(partial.c_str(), mode) != 0 && errno != EEXIST) {
            return errno;
        }
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return errno;
    }
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

// Makes a rename or a new name in the folder survive a power cut; answers 0 or the errno of
// what failed.
int syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int error = ::fsync(fd) == 0 ? 0 : errno;
    // Some file systems cannot flush a folder and say so; there is nothing more to do.
    if (error == EINVAL) {
        error = 0;
    }
    ::close(fd);
    return error;
}

} // namespace

Result AtomicFile::write(const std::filesystem::path& path, std::string_view bytes, mode_t mode,
                         mode_t folderMode) {
    const std::filesystem::path folder = folderOf(path);
    if (const int error = createFolder(folder, folderMode)) {
        return failure("cannot create the folder", error);
    }
    std::string temporary =
        (folder / (temporaryPrefix(path) + std::string(temporarySuffix))).string();
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return failure("cannot create a temporary file", errno);
    }
    Result result = Result::success();
    if (::fchmod(fd, mode) != 0) {
        result = failure("cannot set permissions", errno);
    } else if (!writeAll(fd, bytes)) {
        result = failure("cannot write", errno);
    } else if (::fsync(fd) != 0) {
        result = failure("cannot flush", errno);
    }
    // Checked after writing: close can report a delayed write error.
    if (::close(fd) != 0 && result) {
        result = failure("cannot close", errno);
    }
    if (result && std::rename(temporary.c_str(), path.c_str()) != 0) {
        result = failure("cannot replace the file", errno);
    }
    if (!result) {
        ::unlink(temporary.c_str());
        return result;
    }
    if (const int error = syncFolder(folder)) {
        return failure("cannot flush the folder", error);
    }
    return Result::success();
}

Result AtomicFile::removeLeftovers(const std::filesystem::path& path) {
    const std::string prefix = temporaryPrefix(path);
    std::error_code error;
    std::filesystem::directory_iterator entry(folderOf(path), error);
    if (error) {
        return failure("cannot list the folder", error.value());
    }
    for (; entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() == prefix.size() + temporarySuffix.size() && name.starts_with(prefix)) {
            ::unlink(entry->path().c_str());
        }
    }
    return Result::success();
}

std::error_code AtomicFile::copyToNewFile(int source, const std::filesystem::path& path,
                                          mode_t mode) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd < 0) {
        return {errno, std::generic_category()};
    }
    int error = 0;
    if (!copyAll(source, fd) || ::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(path.c_str());
        return {error, std::generic_category()};
    }
    return {syncFolder(folderOf(path)), std::generic_category()};
}

} // namespace tiklo
