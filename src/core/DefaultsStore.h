// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Result.h"

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace tiklo {

// The per-user key-value store of settings: booleans, strings and data (raw bytes) under
// plain keys. A read of a key that holds another type answers nothing.
class DefaultsStore {
public:
    // Raw bytes, which the store keeps apart from text.
    struct Data {
        std::string bytes;
        bool operator==(const Data&) const = default;
    };
    using Value = std::variant<bool, std::string, Data>;
    using Entries = std::vector<std::pair<std::string, Value>>;

    virtual ~DefaultsStore() = default;

    // Whether anything is stored under `key`, of whatever type.
    virtual bool contains(const std::string& key) const = 0;
    virtual std::optional<bool> boolValue(const std::string& key) const = 0;
    virtual std::optional<std::string> stringValue(const std::string& key) const = 0;
    virtual std::optional<std::string> dataValue(const std::string& key) const = 0;

    // Keeps every entry, all in one write. The values are kept in memory even when the
    // store cannot persist them; that failure is answered, and logged by the store.
    virtual Result write(const Entries& entries) = 0;
    Result setBool(const std::string& key, bool value) { return write({{key, value}}); }
    Result setString(const std::string& key, std::string value) {
        return write({{key, std::move(value)}});
    }
    Result setData(const std::string& key, std::string bytes) {
        return write({{key, Data{std::move(bytes)}}});
    }

    // Some stored value could be read only in part: what is stored now is kept, as a copy
    // beside the store, before the next write replaces it.
    virtual void keepCopyBeforeNextWrite() = 0;

    // Another program may change the stored values (the input-method addon learns from its
    // uses). Reads them again when they changed since this store last read or wrote them,
    // and answers whether they were read again since the last time it was asked, a write's
    // own reading included.
    virtual bool reloadIfChanged() { return false; }
};

} // namespace tiklo
