// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiklo::addonbus {

// How Tiklo's program and its input-method front ends find each other on the session bus.
// The fcitx5 addon's object is served under fcitx5's own name, so it is there exactly while
// fcitx5 runs with it.
inline constexpr const char* fcitxService = "org.fcitx.Fcitx5";
inline constexpr const char* addonPath = "/org/tiklo/Fcitx5";
inline constexpr const char* addonInterface = "org.tiklo.Fcitx5";

// The IBus engine's object, under a name of its own on the session bus: IBus's bus is
// private to IBus. The program also tells it while one of its own windows is active, since
// IBus cannot say which program a field belongs to.
inline constexpr const char* ibusService = "org.tiklo.Tiklo.IBus";
inline constexpr const char* ibusPath = "/org/tiklo/IBus";
inline constexpr const char* ibusInterface = "org.tiklo.IBus";

// The program's own name and object: the addon asks it to open the full picker, and lets the
// picker's shortcut pass on to the application while no program holds the name.
inline constexpr const char* programService = "org.tiklo.Tiklo";
inline constexpr const char* programPath = "/org/tiklo/Tiklo";
inline constexpr const char* programInterface = "org.tiklo.Tiklo";
// Its methods for a field's picker: as the shortcut opens it, or at a group ("symbol",
// "arrows"; an empty group is the tab's top).
inline constexpr const char* openPickerMethod = "OpenPicker";
inline constexpr const char* openPickerAtMethod = "OpenPickerAt";

} // namespace tiklo::addonbus
