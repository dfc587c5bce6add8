// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SettingsFileWatch.h"

#include "core/SettingsFile.h"
#include "core/SettingsTable.h"
#include "core/UsageLearning.h"

#include <utility>

namespace tiklo {

SettingsFileWatch::SettingsFileWatch(std::filesystem::path file, LogSink warn)
    : file_(std::move(file)), warn_(std::move(warn)) {}

const TriggerSettings& SettingsFileWatch::current() {
    const FileStamp now = FileStamp::of(file_);
    if (loadedStamp_ && *loadedStamp_ == now) {
        return settings_;
    }
    const SettingsFile file(file_, warn_);
    settings_ = TriggerSettings::load(file);
    loadedStamp_ = now;
    ++reads_;
    return settings_;
}

Result SettingsFileWatch::recordUse(const EmojiItem& item, double now) {
    SettingsFile file(file_, warn_);
    auto recents = SettingsTable::recents.load(file);
    auto usage = SettingsTable::emojiUsage.load(file);
    if (recents.discarded == Discarded::entries || usage.discarded == Discarded::entries) {
        // The entries that could not be read are about to be written over: keep the file.
        file.keepCopyBeforeNextWrite();
    }
    UsageLearning::recordUse(recents.value, usage.value, item, now);
    DefaultsStore::Entries entries;
    for (auto entry : {SettingsTable::recents.entry(recents.value),
                       SettingsTable::emojiUsage.entry(usage.value)}) {
        if (entry) {
            entries.push_back(std::move(*entry));
        }
    }
    // Read again at the next look, whatever the write did.
    loadedStamp_.reset();
    return file.write(entries);
}

} // namespace tiklo
