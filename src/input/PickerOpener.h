// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ViewEnums.h"
#include "platform/KeyDown.h"
#include "platform/RunningApplication.h"

#include <optional>
#include <string>

namespace tiklo {

// What the input layer needs of the picker: opening it, and the keys typed while it opens.
class PickerOpener {
public:
    virtual ~PickerOpener() = default;
    virtual void show(const std::string& query, int replacementBackspaces,
                      std::optional<RunningApplication> targetApp, view::Presentation mode) = 0;
    // A key pressed while the user's keys are held: whether it is on its way to the picker
    // (false: it follows an insertion, into the application).
    virtual bool keyTypedWhileHolding(const KeyDown& key) = 0;
    // Whether the picker last went by giving way: the keys held after it are the rest of what
    // was typed, where a prefix opens no popup. After a choice or Escape they are new typing.
    virtual bool gaveWay() const = 0;
};

} // namespace tiklo
