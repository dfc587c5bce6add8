// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/PickerKeyRouting.h"
#include "platform/KeyboardLayout.h"

class QKeyEvent;

namespace tiklo {

// Qt key events of the picker window as Tiklo's keys: keysyms, modifiers and the place on
// the digit row.
class QtKeyTranslator {
public:
    // With a `layout`, the digit row counts by position, as Ctrl+digit means on every layout;
    // without, by the digit the key types. Keypad digits are never the digit row.
    static PickerKeyEvent translate(const QKeyEvent& event, const KeyboardLayout* layout = nullptr);
};

} // namespace tiklo
