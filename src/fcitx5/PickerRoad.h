// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcitx-utils/dbus/bus.h>
#include <fcitx-utils/dbus/servicewatcher.h>
#include <fcitx-utils/trackableobject.h>
#include <fcitx/inputcontext.h>

#include "catalog/NamedGroup.h"

#include <memory>
#include <optional>
#include <string>

namespace tiklo {

// The full picker for a field of fcitx5: the picker's shortcut, typed there, asks Tiklo's
// program to open it, and the emoji chosen goes into that field through fcitx5, as soon as
// the field has the focus again. On Wayland this is the only way into the field. Only the
// program that holds Tiklo's name may send text, and only into the field that asked.
class PickerRoad {
public:
    // Each request to the program ends within this (microseconds).
    static constexpr std::uint64_t requestTimeout = 2'000'000;

    // No bus: no program can be reached, and the shortcut is the application's.
    explicit PickerRoad(fcitx::dbus::Bus* bus);
    PickerRoad(const PickerRoad&) = delete;
    PickerRoad& operator=(const PickerRoad&) = delete;

    // Whether a program is there to open the picker.
    bool available() const { return !programOwner_.empty(); }
    // Asks the program to open the picker for `ic`, at `group` if there is one; what an
    // earlier request left unsent goes.
    void request(fcitx::InputContext* ic, const std::optional<NamedGroup>& group);
    // Whether `sender` (a unique bus name) is the program that holds Tiklo's name.
    bool isProgram(const std::string& sender) const {
        return !sender.empty() && sender == programOwner_;
    }
    // Text from `sender` for the field that asked last: committed now if it has the focus,
    // else when it next gains it.
    void deliver(const std::string& sender, const std::string& text);
    // `ic` gained the focus.
    void focusedIn(fcitx::InputContext* ic);

private:
    fcitx::dbus::Bus* bus_;
    std::unique_ptr<fcitx::dbus::ServiceWatcher> watcher_;
    std::unique_ptr<fcitx::dbus::ServiceWatcherEntry> programWatch_;
    std::string programOwner_;
    std::unique_ptr<fcitx::dbus::Slot> pendingCall_;
    fcitx::TrackableObjectReference<fcitx::InputContext> target_;
    std::string unsent_;
};

} // namespace tiklo
