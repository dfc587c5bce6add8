// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Log.h"

namespace tiklo {

Q_LOGGING_CATEGORY(settingsLog, "tiklo.settings")
Q_LOGGING_CATEGORY(hotkeyLog, "tiklo.hotkey")
Q_LOGGING_CATEGORY(loginItemLog, "tiklo.loginitem")
Q_LOGGING_CATEGORY(catalogLog, "tiklo.catalog")

} // namespace tiklo
