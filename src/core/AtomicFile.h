// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <system_error>

namespace tiklo {

// Writing files so that they survive a crash or power cut whole. A file is replaced by
// writing a temporary file `.<name>.XXXXXX` in the same folder, flushing it to disk,
// renaming it into place and flushing the folder, so a crash at any moment leaves either the
// old or the new whole file.
class AtomicFile {
public:
    // Creates missing folders with `folderMode` (less the umask); existing ones stay as they
    // are. A failure carries the system's error number and says which step failed; the
    // temporary file never stays behind. A folder that cannot be flushed because its file
    // system does not support it counts as flushed.
    static Result write(const std::filesystem::path& path, std::string_view bytes, mode_t mode,
                        mode_t folderMode = 0777);

    // Removes the temporary files that writes to `path` left behind when the process died
    // before renaming them. Fails when the folder cannot be listed.
    static Result removeLeftovers(const std::filesystem::path& path);

    // Copies what is left to read from `source` into a new file at `path` (created with `mode`,
    // less the umask), flushed to disk with its folder. Never touches an existing file: then it
    // answers std::errc::file_exists. A copy that fails half-way is removed again.
    static std::error_code copyToNewFile(int source, const std::filesystem::path& path,
                                         mode_t mode);
};

} // namespace tiklo
