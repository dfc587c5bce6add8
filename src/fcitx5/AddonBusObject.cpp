// SPDX-License-Identifier: GPL-3.0-or-later
#include "fcitx5/AddonBusObject.h"

#include <fcitx-utils/dbus/message.h>

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

void AddonBusObject::commit(const std::string& text) {
    const fcitx::dbus::Message* message = currentMessage();
    commit_(message != nullptr ? message->sender() : std::string(), text);
}

} // namespace tiklo
