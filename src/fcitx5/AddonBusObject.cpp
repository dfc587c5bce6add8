#include "fcitx5/AddonBusObject.h"

namespace tiklo {

void AddonBusObject::setFocused(bool focused) {
    if (focused == focused_) {
        return;
    }
    focused_ = focused;
    if (isRegistered()) {
        focusChanged(focused);
    }
}

} // namespace tiklo
