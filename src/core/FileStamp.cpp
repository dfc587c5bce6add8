// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileStamp.h"

#include <sys/stat.h>

namespace tiklo {

FileStamp FileStamp::of(const std::filesystem::path& path) {
    struct stat info {};
    FileStamp result;
    if (::stat(path.c_str(), &info) != 0) {
        return result;
    }
    result.exists = true;
    result.device = info.st_dev;
    result.inode = info.st_ino;
    result.size = info.st_size;
    result.modified = info.st_mtim;
    result.changed = info.st_ctim;
    return result;
}

bool FileStamp::operator==(const FileStamp& other) const {
    const auto same = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && same(modified, other.modified) && same(changed, other.changed);
}

} // namespace tiklo
