// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace tiklo {

// Where the Qt-free parts send a warning: each front end routes it to its own log (the Qt
// program to its logging categories, the input-method addon to fcitx's). Messages name
// files and reasons, never a key, a query, a typed text or a stored value.
using LogSink = std::function<void(const std::string& message)>;

} // namespace tiklo
