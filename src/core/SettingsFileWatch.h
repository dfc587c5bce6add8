// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiItem.h"
#include "core/FileStamp.h"
#include "core/LogSink.h"
#include "core/Result.h"
#include "core/TriggerSettings.h"

#include <filesystem>
#include <optional>

namespace tiklo {

// The settings file as a process that only reads it most of the time sees it: another
// program (the settings window) changes it at any moment, so every key looks whether it
// changed (one stat) and reads it again only then. Learning from a use re-reads the file
// right before writing it, so what others wrote meanwhile is kept.
class SettingsFileWatch {
public:
    SettingsFileWatch(std::filesystem::path file, LogSink warn);

    // The settings as the file holds them now.
    const TriggerSettings& current();
    // How often the file was read; for tests of the cheap look.
    int reads() const { return reads_; }

    // `item` was inserted at `now` (seconds since 2001-01-01 UTC): recents and use counts
    // learn it, and the file is rewritten with everything else in it as it was.
    Result recordUse(const EmojiItem& item, double now);

private:
    std::filesystem::path file_;
    LogSink warn_;
    std::optional<FileStamp> loadedStamp_;
    TriggerSettings settings_;
    int reads_ = 0;
};

} // namespace tiklo
