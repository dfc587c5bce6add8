// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

#include <sys/types.h>
#include <time.h>

namespace tiklo {

// What tells one version of a file from another without reading it. A replacement by rename
// is a new inode; an edit in place changes the times or the size.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    // The file at `path` now; one stat.
    static FileStamp of(const std::filesystem::path& path);
    bool operator==(const FileStamp& other) const;
};

} // namespace tiklo
