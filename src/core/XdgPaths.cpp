// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/XdgPaths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tiklo {

std::filesystem::path xdgConfigHome() {
    if (const char* configured = std::getenv("XDG_CONFIG_HOME");
        configured != nullptr && std::filesystem::path(configured).is_absolute()) {
        return configured;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* entry = getpwuid(getuid());
        home = entry != nullptr ? entry->pw_dir : "/";
    }
    return std::filesystem::path(home) / ".config";
}

} // namespace tiklo
