#include "app/Hotkey.h"

#include "app/KeyNames.h"

namespace tiklo {

std::string Hotkey::display() const {
    return KeyNames::format(key);
}

} // namespace tiklo
