#pragma once

#include "catalog/EmojiCatalog.h"
#include "core/SettingsFileWatch.h"
#include "fcitx5/AddonBusObject.h"
#include "fcitx5/EmojiCandidate.h"
#include "fcitx5/PickerRoad.h"
#include "fcitx5/SearchState.h"

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
// a search in the focused field. The query is the field's preedit, the ranked results are
// fcitx's candidates, and the chosen emoji (or the text as typed, when the search gives way)
// is committed in place of the preedit. The full picker's shortcut asks Tiklo's program for
// the picker, whose emoji comes back the same way. Settings come from Tiklo's settings file,
// looked at on every key. Never logs a key, a query or a text.
class TikloFcitxAddon : public fcitx::AddonInstance {
public:
    // The settings file is the user's ($XDG_CONFIG_HOME/tiklo/defaults.plist); the system's
    // catalog is built in the background from the start.
    explicit TikloFcitxAddon(fcitx::Instance* instance);
    ~TikloFcitxAddon() override;
    TikloFcitxAddon(const TikloFcitxAddon&) = delete;
    TikloFcitxAddon& operator=(const TikloFcitxAddon&) = delete;

    // The program names of Tiklo's own windows, which search never serves.
    static constexpr const char* ownProgram = "tiklo";
    // Candidates per page: the numbers 1 to 9.
    static constexpr int pageSize = 9;

private:
    SearchState* state(fcitx::InputContext* ic) { return ic->propertyFor(&stateFactory_); }
    bool serves(fcitx::InputContext* ic, const TriggerSettings& settings) const;

    void onKeyBeforeInputMethod(fcitx::KeyEvent& keyEvent);
    void onKeyAfterInputMethod(fcitx::KeyEvent& keyEvent);
    void onKeyWhileSearching(fcitx::KeyEvent& keyEvent);
    void onLeave(fcitx::InputContextEvent& event);

    void refresh(fcitx::InputContext* ic);
    void moveCursor(fcitx::InputContext* ic, int delta);
    void choose(fcitx::InputContext* ic, int resultIndex);
    // Ends the search, committing `text` in place of the preedit (nothing: no commit).
    void finish(fcitx::InputContext* ic, const std::string& text);

    FCITX_ADDON_DEPENDENCY_LOADER(dbus, instance_->addonManager())

    fcitx::Instance* instance_;
    SettingsFileWatch settings_;
    AddonBusObject busObject_;
    std::unique_ptr<PickerRoad> pickerRoad_;
    std::thread warmUp_;
    fcitx::FactoryFor<SearchState> stateFactory_{
        [](fcitx::InputContext&) { return new SearchState; }};
    EmojiCandidate::Chooser chooser_;
    std::vector<std::unique_ptr<fcitx::HandlerTableEntry<fcitx::EventHandler>>> handlers_;
};

} // namespace tiklo
