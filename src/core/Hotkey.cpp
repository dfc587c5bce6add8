#include "core/Hotkey.h"

#include "core/KeyNames.h"

namespace tiklo {

std::string Hotkey::display() const {
    return KeyNames::format(key);
}

} // namespace tiklo
