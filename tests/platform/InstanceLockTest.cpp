// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/InstanceLock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tiklo {
namespace {

namespace fs = std::filesystem;

unsigned permissionsOf(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(InstanceLock, RuntimeFolderFirstElseAFolderPrivateToTheUser) {
    const test::TempDir root;
    const uid_t user = ::getuid();
    EXPECT_EQ(InstanceLock::folder("/run/user/1000", root.path(), user).path, "/run/user/1000");

    // Unset, empty or relative: the folder under the temporary root, made private.
    const fs::path own = root.path() / ("tiklo-" + std::to_string(user));
    for (const char* runtime : {static_cast<const char*>(nullptr), "", "run/user"}) {
        const InstanceLock::Folder folder = InstanceLock::folder(runtime, root.path(), user);
        EXPECT_EQ(folder.path, own);
        EXPECT_EQ(folder.problem, "");
    }
    EXPECT_EQ(permissionsOf(own), 0700u);
    ASSERT_EQ(::chmod(own.c_str(), 0755), 0);
    EXPECT_EQ(InstanceLock::folder(nullptr, root.path(), user).problem, "");
    EXPECT_EQ(permissionsOf(own), 0700u);

    // Someone else's folder, or a link to one of ours, is never used.
    EXPECT_NE(InstanceLock::folder(nullptr, root.path(), user + 1).problem.find("another user"),
              std::string::npos);
    fs::rename(own, root.path() / "elsewhere");
    fs::create_directory_symlink(root.path() / "elsewhere", own);
    EXPECT_NE(InstanceLock::folder(nullptr, root.path(), user).problem.find("not a folder"),
              std::string::npos);
}

} // namespace
} // namespace tiklo
