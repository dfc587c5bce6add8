// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/Fcitx5Process.h"

#include "e2e/TikloDesktop.h"
#include "support/Poll.h"

#include <fcitx-utils/standardpath.h>

#include <chrono>
#include <sys/stat.h>
#include <vector>

namespace tiklo::test {

using namespace std::chrono_literals;

Fcitx5Process::Fcitx5Process(ScopedEnvironment& environment, const std::filesystem::path& home)
    : Fcitx5Process(environment, home, Options{}) {}

Fcitx5Process::Fcitx5Process(ScopedEnvironment& environment, const std::filesystem::path& home,
                             const Options& options) {
    const auto launched = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), options.launcher.begin(), options.launcher.end());
        return arguments;
    };
    const std::filesystem::path runtime = home / "runtime";
    std::filesystem::create_directories(runtime);
    chmod(runtime.c_str(), 0700);
    environment.set("HOME", home.string());
    environment.set("XDG_DATA_HOME", (home / "data").string());
    environment.set("XDG_CACHE_HOME", (home / "cache").string());
    environment.set("GSETTINGS_BACKEND", "memory");
    // The build's addon first; the list replaces fcitx5's own folder, so it comes again.
    environment.set("FCITX_ADDON_DIRS", std::string(TIKLO_FCITX5_ADDON_DIR) + ":" +
                                            fcitx::StandardPath::fcitxPath("addondir"));
    environment.set("FCITX_DATA_DIRS", TIKLO_FCITX5_DATA_DIR);
    process_ = std::make_unique<ChildProcess>(
        launched({"fcitx5", "--disable=all",
                  "--enable=keyboard," + options.displayAddons +
                      ",dbus,dbusfrontend,classicui,tiklo-fcitx5"}),
        ChildProcess::Options{.output = ChildProcess::Stream::discard,
                              .errors = ChildProcess::Stream::discard});
    // Asked of the bus, never of fcitx5: the private bus activates nothing, but a call to a
    // name nobody owns yet would fail rather than wait.
    const bool onBus = pollFor(
        [&] {
            const ChildProcess::Exit answer = ChildProcess::run(
                launched({"dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                          "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
                          "string:org.fcitx.Fcitx5"}));
            return answer.output.find("boolean true") != std::string::npos;
        },
        15s, 50ms);
    if (!onBus) {
        error_ = "fcitx5 did not come on the session bus";
        return;
    }
    environment.set("GTK_IM_MODULE", "fcitx");
}

bool Fcitx5Process::waitUntilServed(TargetEntry& entry) {
    const std::string fire = "\U0001F525";
    const bool served = pollFor(
        [&] {
            entry.setText("");
            TikloDesktop::type(";fire\n");
            return entry.waitForText(fire, 1s) == fire;
        },
        15s, 100ms);
    return served && entry.setText("");
}

} // namespace tiklo::test
