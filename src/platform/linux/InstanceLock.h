// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace tiklo {

// One running Tiklo per user: an exclusive flock on a file in a folder that a reboot empties.
// The kernel releases the lock when its holder dies, however it dies, so a lock never
// outlives its owner, whatever a file left there by an older version or another host says.
// The file itself stays: removing it could let two instances lock two different files.
class InstanceLock {
public:
    enum class Outcome { acquired, heldByAnother, failed };

    struct Folder {
        std::filesystem::path path;
        // Why there is no folder to use; empty when `path` is one.
        std::string problem;
    };

    // $XDG_RUNTIME_DIR when it names an absolute path; else `<temporaryRoot>/tiklo-<uid>`,
    // made if missing and kept private to the user (mode 0700). A folder there that is a
    // symbolic link or belongs to someone else is never used.
    static Folder folder(const char* runtimeDir, const std::filesystem::path& temporaryRoot,
                         uid_t user);

    explicit InstanceLock(std::filesystem::path file);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Never waits. After `failed`, error() says why.
    Outcome tryAcquire();
    const std::string& error() const { return error_; }

private:
    std::filesystem::path file_;
    int fd_ = -1;
    std::string error_;
};

} // namespace tiklo
