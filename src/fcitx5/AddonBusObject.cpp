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

std::string AddonBusObject::sender() const {
    const fcitx::dbus::Message* message = currentMessage();
    return message != nullptr ? message->sender() : std::string();
}

void AddonBusObject::commit(const std::string& text) {
    commit_(sender(), text);
}

bool AddonBusObject::askForPicker() {
    return ask_(sender());
}

} // namespace tiklo
