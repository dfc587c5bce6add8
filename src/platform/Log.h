// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

namespace tiklo {

// One logging category per area, each named "tiklo.<area>". Tiklo sees every key the user
// types: no message carries a key, a query, a typed text or a stored value.
Q_DECLARE_LOGGING_CATEGORY(settingsLog)  // tiklo.settings: stored settings and their file
Q_DECLARE_LOGGING_CATEGORY(hotkeyLog)    // tiklo.hotkey: the global hotkey
Q_DECLARE_LOGGING_CATEGORY(loginItemLog) // tiklo.loginitem: starting at login
Q_DECLARE_LOGGING_CATEGORY(catalogLog)   // tiklo.catalog: the emoji data

} // namespace tiklo
