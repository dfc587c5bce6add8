// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tiklo::test {

// A dbus-daemon configuration for a test's own session bus, listening at `listen` (a D-Bus
// address such as "unix:tmpdir=/tmp"): anyone may own any name and watch every message. It
// starts no service by itself: only what the test starts runs (fcitx5's own service file
// would otherwise start a second fcitx5, with every addon, on the first call to its name).
inline std::string privateBusConfig(std::string_view listen) {
    return R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>)" +
           std::string(listen) +
           R"(</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";
}

} // namespace tiklo::test
