#pragma once

#include <cstdint>
#include <optional>

namespace tiklo {

// Where keys sit on the keyboard, whatever the layout prints on them.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    // 1 to 9 for the keys of the digit row that type "1" to "9" on a US keyboard, the keys
    // Ctrl+digit means on any layout (French AZERTY types "&", "é"... there); nothing for
    // other keys. `scanCode` is the key's hardware code as key events report it.
    virtual std::optional<int> digitRowNumber(std::uint32_t scanCode) const = 0;
};

} // namespace tiklo
