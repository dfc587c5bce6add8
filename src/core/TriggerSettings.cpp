// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TriggerSettings.h"

#include "core/SettingsTable.h"

#include <algorithm>

namespace tiklo {

TriggerSettings TriggerSettings::load(const DefaultsStore& store) {
    using Table = SettingsTable;
    TriggerSettings settings;
    settings.masterEnabled = Table::masterEnabled.load(store).value;
    settings.triggerPrefix = Table::triggerPrefix.load(store).value;
    settings.insertSpaceAfterTrigger = Table::insertSpaceAfterTrigger.load(store).value;
    settings.defaultSkinTone = Table::defaultSkinTone.load(store).value;
    settings.favorites = Table::favorites.load(store).value;
    settings.recents = Table::recents.load(store).value;
    settings.emojiUsage = Table::emojiUsage.load(store).value;
    settings.emojiSkinTones = Table::emojiSkinTones.load(store).value;
    settings.excludedAppIDs = Table::excludedAppIDs.load(store).value;
    settings.hotkey = Table::hotkey.load(store).value;
    return settings;
}

SkinTone TriggerSettings::toneFor(const SettingCodecs::SkinTones& chosen, SkinTone defaultTone,
                                  const std::string& emoji) {
    const auto found = chosen.find(emoji);
    return found != chosen.end() ? found->second : defaultTone;
}

bool TriggerSettings::excludes(const std::string& appID) const {
    return !appID.empty() &&
           std::find(excludedAppIDs.begin(), excludedAppIDs.end(), appID) != excludedAppIDs.end();
}

} // namespace tiklo
