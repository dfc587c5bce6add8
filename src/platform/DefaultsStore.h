#pragma once

#include <optional>
#include <string>

namespace tiklo {

// The per-user key-value store of settings: booleans, strings and data (raw bytes) under
// plain keys. A read of a key that holds another type answers nothing.
class DefaultsStore {
public:
    virtual ~DefaultsStore() = default;

    virtual std::optional<bool> boolValue(const std::string& key) const = 0;
    virtual std::optional<std::string> stringValue(const std::string& key) const = 0;
    virtual std::optional<std::string> dataValue(const std::string& key) const = 0;

    // Each write is kept at once; a store that cannot persist keeps the value in memory.
    virtual void setBool(const std::string& key, bool value) = 0;
    virtual void setString(const std::string& key, const std::string& value) = 0;
    virtual void setData(const std::string& key, const std::string& bytes) = 0;

    // Some stored value could be read only in part: what is stored now is kept, as a copy
    // beside the store, before the next write replaces it.
    virtual void keepCopyBeforeNextWrite() = 0;
};

} // namespace tiklo
