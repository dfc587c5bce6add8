// SPDX-License-Identifier: GPL-3.0-or-later
#include "fcitx5/PickerRoad.h"

#include "core/AddonBusNames.h"

#include <fcitx-utils/dbus/message.h>

namespace tiklo {

PickerRoad::PickerRoad(fcitx::dbus::Bus* bus) : bus_(bus) {
    if (bus_ == nullptr) {
        return;
    }
    watcher_ = std::make_unique<fcitx::dbus::ServiceWatcher>(*bus_);
    programWatch_ =
        watcher_->watchService(addonbus::programService,
                               [this](const std::string&, const std::string&,
                                      const std::string& newOwner) { programOwner_ = newOwner; });
}

void PickerRoad::request(fcitx::InputContext* ic, const std::optional<NamedGroup>& group) {
    if (!available()) {
        return;
    }
    target_ = ic->watch();
    unsent_.clear();
    fcitx::dbus::Message call = bus_->createMethodCall(
        addonbus::programService, addonbus::programPath, addonbus::programInterface,
        group ? addonbus::openPickerAtMethod : addonbus::openPickerMethod);
    if (group) {
        call << std::string(rawValue(group->kind)) << group->group;
    }
    // The event loop never waits for the program; nothing comes back but the text, later.
    pendingCall_ = call.callAsync(requestTimeout, [](fcitx::dbus::Message&) { return true; });
}

void PickerRoad::deliver(const std::string& sender, const std::string& text) {
    fcitx::InputContext* ic = target_.get();
    if (!isProgram(sender) || ic == nullptr || text.empty()) {
        return;
    }
    if (ic->hasFocus()) {
        ic->commitString(text);
    } else {
        // The picker still has the focus, or one choice followed another while it stayed.
        unsent_ += text;
    }
}

void PickerRoad::focusedIn(fcitx::InputContext* ic) {
    if (unsent_.empty() || ic != target_.get()) {
        return;
    }
    const std::string text = std::move(unsent_);
    unsent_.clear();
    ic->commitString(text);
}

} // namespace tiklo
