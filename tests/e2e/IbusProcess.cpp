// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/IbusProcess.h"

#include "support/Poll.h"

#include <chrono>

namespace tiklo::test {

using namespace std::chrono_literals;

IbusProcess::IbusProcess(ScopedEnvironment& environment, const std::filesystem::path& home) {
    if (!ChildProcess::onPath("ibus-daemon")) {
        error_ = "ibus-daemon is not installed";
        return;
    }
    // The daemon, its settings and its clients see only this folder; it publishes its address
    // in the file named here instead of the user's.
    environment.set("HOME", home.string());
    environment.set("XDG_CACHE_HOME", (home / "cache").string());
    environment.set("XDG_DATA_HOME", (home / "data").string());
    environment.set("GSETTINGS_BACKEND", "memory");
    environment.set("IBUS_ADDRESS", std::nullopt);
    environment.set("IBUS_ADDRESS_FILE", (home / "ibus-address").string());
    // The list replaces the daemon's own folder, which brings the xkb engines.
    environment.set("IBUS_COMPONENT_PATH",
                    std::string(TIKLO_IBUS_COMPONENT_DIR) + ":/usr/share/ibus/component");
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"ibus-daemon", "--panel=disable", "--cache=none"},
        ChildProcess::Options{.output = ChildProcess::Stream::discard,
                              .errors = ChildProcess::Stream::discard});
    // The engine is set once the daemon answers. `ibus engine tiklo` says it failed even when
    // it set the engine (it cannot apply a layout named "default"): the daemon is asked.
    const bool engineSet = pollFor(
        [] {
            ChildProcess::run({"ibus", "engine", "tiklo"});
            return ChildProcess::run({"ibus", "engine"}).output.starts_with("tiklo");
        },
        15s, 100ms);
    if (!engineSet) {
        error_ = "ibus-daemon did not come up with Tiklo's engine";
        return;
    }
    environment.set("GTK_IM_MODULE", "ibus");
}

} // namespace tiklo::test
