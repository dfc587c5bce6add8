// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SettingsFile.h"

#include <filesystem>

namespace tiklo {

// The settings file as the Qt program keeps it: its warnings go to the tiklo.settings
// logging category.
class PropertyListDefaultsFile : public SettingsFile {
public:
    explicit PropertyListDefaultsFile(std::filesystem::path file);
};

} // namespace tiklo
