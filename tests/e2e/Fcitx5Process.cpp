// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/Fcitx5Process.h"

#include "e2e/WaylandSession.h"
#include "support/Poll.h"

#include <fcitx-utils/standardpath.h>

#include <chrono>
#include <vector>

namespace tiklo::test {

using namespace std::chrono_literals;

Fcitx5Process::Fcitx5Process(ScopedEnvironment& environment, const std::filesystem::path& home,
                             const Options& options) {
    environment.set("HOME", home.string());
    environment.set("XDG_DATA_HOME", (home / "data").string());
    environment.set("XDG_CACHE_HOME", (home / "cache").string());
    environment.set("GSETTINGS_BACKEND", "memory");
    // The build's addon first; the list replaces fcitx5's own folder, so it comes again.
    environment.set("FCITX_ADDON_DIRS", std::string(TIKLO_FCITX5_ADDON_DIR) + ":" +
                                            fcitx::StandardPath::fcitxPath("addondir"));
    environment.set("FCITX_DATA_DIRS", TIKLO_FCITX5_DATA_DIR);
    std::vector<std::string> arguments = options.launcher;
    arguments.insert(arguments.end(),
                     {"fcitx5", "--disable=all",
                      "--enable=keyboard," +
                          (options.displayAddons.empty() ? "xcb" : options.displayAddons) +
                          ",dbus,dbusfrontend,classicui,tiklo-fcitx5"});
    process_ = std::make_unique<ChildProcess>(
        arguments, ChildProcess::Options{.output = ChildProcess::Stream::discard,
                                         .errors = ChildProcess::Stream::discard});
    if (!pollFor([&] { return busNameOwned("org.fcitx.Fcitx5", options.launcher); }, 15s, 50ms)) {
        error_ = "fcitx5 did not come on the session bus";
        return;
    }
    environment.set("GTK_IM_MODULE", "fcitx");
}

} // namespace tiklo::test
