#pragma once

#include "platform/RunningApplication.h"

#include <optional>
#include <string>

namespace tiklo {

// Typing into another application, as the picker needs it. Both calls return at once.
class TextInjector {
public:
    virtual ~TextInjector() = default;
    virtual void replace(int backspaces, std::string text,
                         std::optional<RunningApplication> app) = 0;
    virtual void reactivate(std::optional<RunningApplication> app) = 0;
};

} // namespace tiklo
