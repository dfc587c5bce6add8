// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace tiklo {

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config (with $HOME, or the password database when HOME is unset).
std::filesystem::path xdgConfigHome();

} // namespace tiklo
