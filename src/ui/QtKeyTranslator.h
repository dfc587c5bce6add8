#pragma once

#include "picker/PickerKeyRouting.h"
#include "platform/KeyboardLayout.h"

#include <optional>

class QKeyEvent;

namespace tiklo {

// Qt key events of the picker window in the program's own terms: virtual key codes and
// modifier flag bits. Inside the picker both Ctrl and Super count as Command: desktops
// often keep Super+digit for themselves, and Linux users reach for Ctrl.
class QtKeyTranslator {
public:
    // Keys the picker never routes get this code.
    static constexpr std::uint16_t otherKey = 0xFFFF;

    // Nothing for events the picker does not look at (releases of ordinary keys). With a
    // `layout`, the digit row counts by position, as Ctrl+digit means on every layout.
    static std::optional<PickerKeyEvent> translate(const QKeyEvent& event,
                                                   const KeyboardLayout* layout = nullptr);
};

} // namespace tiklo
