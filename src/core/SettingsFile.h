// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/DefaultsStore.h"
#include "core/FileStamp.h"
#include "core/LogSink.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace tiklo {

// The settings as one property-list file (XML; a binary one is read too), loaded once and
// rewritten whole on every change by replacing the file atomically, so a crash leaves either
// the old or the new file. Each write first reads the file again when another program changed
// it, so what that program stored under other keys is kept. Values of other types found in the file
// are written back as they were. A file that cannot be read, or whose values were read only in
// part, is kept aside as
// `<name>.corrupt-<UTC time>` before the first write replaces it. When the file cannot be
// written, values live on in memory; the write answers the failure, and the first failure of
// a run of them is logged. What can never be a file (a folder, a FIFO, a link to nothing) is
// logged once, never opened and never written over.
//
// Not thread-safe: use it from the main thread only.
class SettingsFile : public DefaultsStore {
public:
    // `warn` hears the warnings; they name files and reasons, never a stored value.
    SettingsFile(std::filesystem::path file, LogSink warn);

    // $XDG_CONFIG_HOME/tiklo/defaults.plist
    static std::filesystem::path defaultPath();

    bool contains(const std::string& key) const override;
    std::optional<bool> boolValue(const std::string& key) const override;
    std::optional<std::string> stringValue(const std::string& key) const override;
    std::optional<std::string> dataValue(const std::string& key) const override;

    Result write(const Entries& entries) override;
    void keepCopyBeforeNextWrite() override;
    bool reloadIfChanged() override;

private:
    struct NodeDeleter {
        void operator()(void* node) const;
    };
    // A value of a type the getters do not read, kept to be written back untouched.
    using ForeignNode = std::unique_ptr<void, NodeDeleter>;
    using Value = std::variant<bool, std::string, Data, ForeignNode>;

    void load();
    // Reads the file again when it is not as this store last read or wrote it.
    void readAgainIfChanged();
    // Writes every value to the file; fails when anything stayed in memory only.
    Result persist();
    Result setAsideUnreadableFile() const;
    void removeStaleTemporaryFiles();
    std::filesystem::path folder() const;

    std::filesystem::path file_;
    LogSink warn_;
    std::map<std::string, Value, std::less<>> values_;
    // The file on disk holds bytes that were not all understood and are not yet copied aside.
    bool unreadableOnDisk_ = false;
    // Something that is not a regular file stands at the path: everything stays in memory.
    bool notAFile_ = false;
    bool staleTemporaryFilesRemoved_ = false;
    // The file as last read or written here.
    FileStamp stamp_;
    // Values the last write could not keep live only here: reading the file would lose them.
    bool unsavedInMemory_ = false;
    // Read again since reloadIfChanged last answered.
    bool readAgain_ = false;
    // The last write failed and said so: the following failures are the same story.
    bool failureLogged_ = false;
};

} // namespace tiklo
