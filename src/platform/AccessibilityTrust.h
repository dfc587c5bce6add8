#pragma once

namespace tiklo {

// Whether Tiklo may observe and synthesize keys and read other applications' carets.
class AccessibilityTrust {
public:
    virtual ~AccessibilityTrust() = default;

    virtual bool isTrusted() const = 0;
    // Asks the system to grant what is missing and shows the user where to do it. Failures
    // are not reported.
    virtual void requestTrust() = 0;
};

} // namespace tiklo
