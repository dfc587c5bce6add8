// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/PropertyListDefaultsFile.h"

#include "platform/Log.h"

#include <utility>

namespace tiklo {

PropertyListDefaultsFile::PropertyListDefaultsFile(std::filesystem::path file)
    : SettingsFile(std::move(file), [](const std::string& message) {
          qCWarning(settingsLog, "%s", message.c_str());
      }) {}

} // namespace tiklo
