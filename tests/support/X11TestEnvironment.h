// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

#include <QStringList>
#include <xcb/xcb.h>

namespace tiklo::test {

// Qt's own connection and root window, for the code under test.
xcb_connection_t* qtConnection();
xcb_window_t qtRootWindow();

// Dispatches Qt events until `done` holds or `timeout` passes; answers `done` at the end.
bool waitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Runs xdotool with `arguments` against the current DISPLAY; true when it succeeded.
bool xdotool(const QStringList& arguments);

} // namespace tiklo::test
