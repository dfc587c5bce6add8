// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/ChildProcess.h"
#include "support/ScopedEnvironment.h"

#include <filesystem>
#include <memory>
#include <string>

namespace tiklo::test {

// ibus-daemon on the test's display and session bus, with the build's engine as the one in
// use and its files under `home`. GTK applications started after it talk to it.
class IbusProcess {
public:
    IbusProcess(ScopedEnvironment& environment, const std::filesystem::path& home);

    bool ready() const { return error_.empty(); }
    const std::string& error() const { return error_; }

private:
    std::unique_ptr<ChildProcess> process_;
    std::string error_;
};

} // namespace tiklo::test
