// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiUsage.h"
#include "catalog/SkinTone.h"
#include "core/Decoded.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tiklo {

// Reads the stored collections (lists of ids, the usage map) entry by entry, so that one
// entry a hand edit or another program got wrong costs only itself. Text that is no JSON of
// the collection's shape at all reads as empty, with everything dropped.
class StoredCollectionDecoder {
public:
    using Usage = std::unordered_map<std::string, EmojiUsage>;
    using SkinTones = std::unordered_map<std::string, SkinTone>;

    // A JSON array: its strings, in order; other elements are dropped.
    static Decoded<std::vector<std::string>> strings(std::string_view json);
    // A JSON object of usage records: the members that are whole records whose count is a
    // 64-bit integer.
    static Decoded<Usage> usage(std::string_view json);
    // A JSON object from emoji to a tone's name ("mediumDark"): the members naming a tone.
    static Decoded<SkinTones> skinTones(std::string_view json);
};

} // namespace tiklo
