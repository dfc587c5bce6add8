// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LoginItemService.h"

#include <filesystem>

namespace tiklo {

// Starting at login through an XDG autostart desktop entry. Registered means the entry
// exists, is Tiklo's, and is not disabled.
class XdgAutostartEntry : public LoginItemService {
public:
    // `entryPath`: the .desktop file; `executable`: what the entry starts.
    XdgAutostartEntry(std::filesystem::path entryPath, std::filesystem::path executable);

    // $XDG_CONFIG_HOME/autostart/<applicationID>.desktop
    static std::filesystem::path defaultPath(const std::string& applicationID);
    // The running program's own executable.
    static std::filesystem::path runningExecutable();

    bool isRegistered() const override;
    Result registerItem() override;
    Result unregisterItem() override;

private:
    std::string contents() const;

    std::filesystem::path entryPath_;
    std::filesystem::path executable_;
};

} // namespace tiklo
