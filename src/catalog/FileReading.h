// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace tiklo {

// The whole file as bytes, or nothing when it is missing or unreadable (a folder, no
// permission, a read error).
std::optional<std::string> readWholeFile(const std::string& path);

} // namespace tiklo
