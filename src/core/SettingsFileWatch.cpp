#include "core/SettingsFileWatch.h"

#include "app/SettingsTable.h"
#include "core/SettingsFile.h"
#include "core/UsageLearning.h"

#include <sys/stat.h>
#include <utility>

namespace tiklo {

bool SettingsFileWatch::Stamp::operator==(const Stamp& other) const {
    const auto same = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && same(modified, other.modified) && same(changed, other.changed);
}

SettingsFileWatch::SettingsFileWatch(std::filesystem::path file, LogSink warn)
    : file_(std::move(file)), warn_(std::move(warn)) {}

SettingsFileWatch::Stamp SettingsFileWatch::stamp() const {
    struct stat info {};
    Stamp result;
    if (::stat(file_.c_str(), &info) != 0) {
        return result;
    }
    result.exists = true;
    result.device = info.st_dev;
    result.inode = info.st_ino;
    result.size = info.st_size;
    result.modified = info.st_mtim;
    result.changed = info.st_ctim;
    return result;
}

const TriggerSettings& SettingsFileWatch::current() {
    const Stamp now = stamp();
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
