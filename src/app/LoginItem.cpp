// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LoginItem.h"

#include "platform/Log.h"

namespace tiklo {

bool LoginItem::setEnabled(bool enabled) {
    const bool current = service_.isRegistered();
    if (enabled != current) {
        const char* operation = enabled ? "register" : "unregister";
        const Result result = enabled ? service_.registerItem() : service_.unregisterItem();
        if (!result) {
            qCCritical(loginItemLog, "login item %s failed: %s", operation,
                       result.description().c_str());
        }
    }
    return service_.isRegistered();
}

} // namespace tiklo
