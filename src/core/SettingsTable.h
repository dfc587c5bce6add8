// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/PickerMode.h"
#include "catalog/SkinTone.h"
#include "core/Hotkey.h"
#include "core/SettingCodecs.h"
#include "core/StoredSetting.h"

#include <string>

namespace tiklo {

// Everything Tiklo keeps in the settings store: each key, the value it has when nothing
// readable is stored there, and its stored form.
struct SettingsTable {
    using C = SettingCodecs;

    static inline const StoredSetting<bool, C::Boolean> masterEnabled{"masterEnabled", true};
    static inline const StoredSetting<PickerMode, C::Json<PickerMode>> pickerMode{"pickerMode",
                                                                                  PickerMode::grid};
    static inline const StoredSetting<SkinTone, C::Json<SkinTone>> defaultSkinTone{
        "defaultSkinTone", SkinTone::standard};
    static inline const StoredSetting<std::string, C::TriggerPrefix> triggerPrefix{"triggerPrefix",
                                                                                   ";"};
    static inline const StoredSetting<bool, C::Boolean> insertSpaceAfterTrigger{
        "insertSpaceAfterTrigger", false};
    static inline const StoredSetting<Hotkey, C::StoredHotkey> hotkey{"hotkey", Hotkey{}};
    static inline const StoredSetting<C::StringSet, C::StringSetList> favorites{"favorites", {}};
    static inline const StoredSetting<C::Strings, C::StringList> recents{"recents", {}};
    static inline const StoredSetting<C::Usage, C::UsageMap> emojiUsage{"emojiUsage", {}};
    // A tone chosen for one emoji, over the default tone.
    static inline const StoredSetting<C::SkinTones, C::SkinToneMap> emojiSkinTones{"emojiSkinTones",
                                                                                   {}};
    static inline const StoredSetting<C::Strings, C::StringList> excludedAppIDs{"excludedBundleIDs",
                                                                                {}};
    // Read at launch and written by the welcome window; not a property of the store.
    static inline const StoredSetting<bool, C::Boolean> didCompleteOnboarding{
        "didCompleteOnboarding", false};
};

} // namespace tiklo
