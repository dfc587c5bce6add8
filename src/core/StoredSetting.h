// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Decoded.h"
#include "core/DefaultsStore.h"

#include <optional>
#include <string>
#include <utility>

namespace tiklo {

// What a load of a stored setting left out, for the one report a load makes.
enum class Discarded {
    nothing,
    value,   // present but unreadable: the fallback stands in, the stored form stays
    entries, // a collection read without some entries
};

// One stored setting: its key, the value it has when nothing readable is stored, and its
// codec: `Codec::read(store, key)` decodes what is stored under a key that is present, and
// `Codec::write(value)` gives the stored form, or nothing for a value that has none.
template <typename T, typename Codec> struct StoredSetting {
    using Value = T;

    struct Loaded {
        T value;
        Discarded discarded = Discarded::nothing;
    };

    const char* key;
    T fallback;

    Loaded load(const DefaultsStore& store) const {
        if (!store.contains(key)) {
            return {fallback, Discarded::nothing};
        }
        Decoded<T> decoded = Codec::read(store, key);
        if (!decoded.value) {
            return {fallback, Discarded::value};
        }
        return {std::move(*decoded.value),
                decoded.droppedEntries ? Discarded::entries : Discarded::nothing};
    }

    std::optional<std::pair<std::string, DefaultsStore::Value>> entry(const T& value) const {
        std::optional<DefaultsStore::Value> stored = Codec::write(value);
        if (!stored) {
            return std::nullopt;
        }
        return std::pair<std::string, DefaultsStore::Value>{key, std::move(*stored)};
    }
};

} // namespace tiklo
