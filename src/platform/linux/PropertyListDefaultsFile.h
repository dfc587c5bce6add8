#pragma once

#include "platform/DefaultsStore.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace tiklo {

// The settings as one property-list file (XML; a binary one is read too), loaded once and
// rewritten whole on every change by replacing the file atomically, so a crash leaves either
// the old or the new file. Values of other types found in the file are written back as they
// were. A file that cannot be read, or whose values were read only in part, is kept aside as
// `<name>.corrupt-<UTC time>` before the first write replaces it. When the file cannot be
// written, values live on in memory and writeFailed() says so. What can never be a file (a
// folder, a FIFO, a link to nothing) is logged once, never opened and never written over.
//
// Not thread-safe: use it from the main thread only.
class PropertyListDefaultsFile : public DefaultsStore {
public:
    explicit PropertyListDefaultsFile(std::filesystem::path file);

    // $XDG_CONFIG_HOME/tiklo/defaults.plist
    static std::filesystem::path defaultPath();

    std::optional<bool> boolValue(const std::string& key) const override;
    std::optional<std::string> stringValue(const std::string& key) const override;
    std::optional<std::string> dataValue(const std::string& key) const override;

    void setBool(const std::string& key, bool value) override;
    void setString(const std::string& key, const std::string& value) override;
    void setData(const std::string& key, const std::string& bytes) override;
    void keepCopyBeforeNextWrite() override;

    // True when the last write left some value in memory only.
    bool writeFailed() const { return writeFailed_; }

private:
    struct NodeDeleter {
        void operator()(void* node) const;
    };
    // A value of a type the getters do not read, kept to be written back untouched.
    using ForeignNode = std::unique_ptr<void, NodeDeleter>;
    struct Data {
        std::string bytes;
    };
    using Value = std::variant<bool, std::string, Data, ForeignNode>;

    void load();
    void set(const std::string& key, Value value);
    // Writes every value to the file; false when anything stayed in memory only.
    bool persist();
    bool setAsideUnreadableFile() const;
    void removeStaleTemporaryFiles();
    std::filesystem::path folder() const;

    std::filesystem::path file_;
    std::map<std::string, Value, std::less<>> values_;
    // The file on disk holds bytes that were not all understood and are not yet copied aside.
    bool unreadableOnDisk_ = false;
    // Something that is not a regular file stands at the path: everything stays in memory.
    bool notAFile_ = false;
    bool staleTemporaryFilesRemoved_ = false;
    bool writeFailed_ = false;
};

} // namespace tiklo
