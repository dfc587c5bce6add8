// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/SkinTone.h"
#include "core/DefaultsStore.h"
#include "core/Hotkey.h"
#include "core/SettingCodecs.h"

#include <string>

namespace tiklo {

// The settings semicolon search reads at each key, as one value: whether it is on, where,
// with which prefix, what it inserts and ranks by, and the full picker's shortcut.
struct TriggerSettings {
    bool masterEnabled = true;
    std::string triggerPrefix = ";";
    bool insertSpaceAfterTrigger = false;
    SkinTone defaultSkinTone = SkinTone::standard;
    SettingCodecs::StringSet favorites;
    SettingCodecs::Strings recents;
    SettingCodecs::Usage emojiUsage;
    SettingCodecs::SkinTones emojiSkinTones;
    SettingCodecs::Strings excludedAppIDs;
    // Opens the full picker, wherever the focus is.
    Hotkey hotkey;

    // What is stored, each setting falling back to its default where it cannot be read.
    static TriggerSettings load(const DefaultsStore& store);

    // The tone `emoji` is typed in: the one chosen for it, else the default.
    static SkinTone toneFor(const SettingCodecs::SkinTones& chosen, SkinTone defaultTone,
                            const std::string& emoji);
    SkinTone skinToneFor(const std::string& emoji) const {
        return toneFor(emojiSkinTones, defaultSkinTone, emoji);
    }
    bool excludes(const std::string& appID) const;
};

} // namespace tiklo
