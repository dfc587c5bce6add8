#include "app/LoginItem.h"

Q_LOGGING_CATEGORY(loginItemLog, "loginitem")

namespace tiklo {

bool LoginItem::setEnabled(bool enabled) {
    const bool current = service_.isRegistered();
    if (enabled != current) {
        const char* operation = enabled ? "register" : "unregister";
        const std::optional<std::string> error =
            enabled ? service_.registerItem() : service_.unregisterItem();
        if (error) {
            qCCritical(loginItemLog, "login item %s failed: %s", operation, error->c_str());
        }
    }
    return service_.isRegistered();
}

} // namespace tiklo
