#pragma once

#include <optional>
#include <string>

namespace tiklo {

// The system's record of whether Tiklo starts when the user logs in.
class LoginItemService {
public:
    virtual ~LoginItemService() = default;

    virtual bool isRegistered() const = 0;
    // Each answers nothing on success, else the system's description of the failure.
    virtual std::optional<std::string> registerItem() = 0;
    virtual std::optional<std::string> unregisterItem() = 0;
};

} // namespace tiklo
