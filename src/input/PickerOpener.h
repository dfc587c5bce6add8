#pragma once

#include "catalog/PickerPresentationMode.h"
#include "platform/RunningApplication.h"

#include <optional>
#include <string>

namespace tiklo {

// What the input layer needs of the picker: opening it.
class PickerOpener {
public:
    virtual ~PickerOpener() = default;
    virtual void show(const std::string& query, int replacementBackspaces,
                      std::optional<RunningApplication> targetApp, PickerPresentationMode mode) = 0;
};

} // namespace tiklo
