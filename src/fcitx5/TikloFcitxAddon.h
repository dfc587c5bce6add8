// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SettingsFileWatch.h"
#include "fcitx5/AddonBusObject.h"
#include "fcitx5/FcitxFieldSearch.h"
#include "fcitx5/PickerRoad.h"

#include <fcitx-utils/handlertable.h>
#include <fcitx/addoninstance.h>
#include <fcitx/addonmanager.h>
#include <fcitx/event.h>
#include <fcitx/inputcontextproperty.h>
#include <fcitx/instance.h>

#include <memory>
#include <thread>
#include <vector>

namespace tiklo {

// Semicolon search inside fcitx5: the trigger prefix that the input method left alone opens
// a search in the focused field (one FcitxFieldSearch per input context). The full picker's
// shortcut asks Tiklo's program for the picker, whose emoji comes back through the field.
// Settings come from Tiklo's settings file, looked at on every key.
class TikloFcitxAddon : public fcitx::AddonInstance {
public:
    // The settings file is the user's ($XDG_CONFIG_HOME/tiklo/defaults.plist); the system's
    // catalog is built in the background from the start.
    explicit TikloFcitxAddon(fcitx::Instance* instance);
    ~TikloFcitxAddon() override;
    TikloFcitxAddon(const TikloFcitxAddon&) = delete;
    TikloFcitxAddon& operator=(const TikloFcitxAddon&) = delete;

private:
    FcitxFieldSearch* search(fcitx::InputContext* ic) { return ic->propertyFor(&searchFactory_); }
    // Hands one press to the field's search; whether it used the key.
    bool keyPressed(fcitx::KeyEvent& keyEvent);
    // The program, `sender`, opens the picker of its own accord: whether the focused field
    // asks for it, as its shortcut would.
    bool askForPicker(const std::string& sender);

    void onKeyBeforeInputMethod(fcitx::KeyEvent& keyEvent);
    void onKeyAfterInputMethod(fcitx::KeyEvent& keyEvent);
    void onLeave(fcitx::InputContextEvent& event);

    FCITX_ADDON_DEPENDENCY_LOADER(dbus, instance_->addonManager())

    fcitx::Instance* instance_;
    SettingsFileWatch settings_;
    AddonBusObject busObject_;
    std::unique_ptr<PickerRoad> pickerRoad_;
    std::thread warmUp_;
    fcitx::FactoryFor<FcitxFieldSearch> searchFactory_;
    std::vector<std::unique_ptr<fcitx::HandlerTableEntry<fcitx::EventHandler>>> handlers_;
};

} // namespace tiklo
