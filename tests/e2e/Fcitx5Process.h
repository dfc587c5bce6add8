// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/ChildProcess.h"
#include "support/ScopedEnvironment.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tiklo::test {

// fcitx5 on the test's display and session bus, with only the addons semicolon search needs
// and the build's own, its files under `home`. GTK applications started after it talk to it.
class Fcitx5Process {
public:
    struct Options {
        // The addons that connect fcitx5 to the display server; "xcb" when empty.
        std::string displayAddons;
        // What fcitx5 and the bus queries are started through (setpriv, to run as another
        // user); their own arguments follow.
        std::vector<std::string> launcher;
    };

    Fcitx5Process(ScopedEnvironment& environment, const std::filesystem::path& home,
                  const Options& options = {});

    bool ready() const { return error_.empty(); }
    const std::string& error() const { return error_; }

private:
    std::unique_ptr<ChildProcess> process_;
    std::string error_;
};

} // namespace tiklo::test
