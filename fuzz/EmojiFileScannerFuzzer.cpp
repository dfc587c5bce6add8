// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the system emoji file, in both formats, through the whole item assembly.
#include "catalog/CatalogAssembler.h"
#include "catalog/EmojiFileScanner.h"
#include "catalog/SystemEmojiTables.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using Format = tiklo::CatalogSources::EmojiFileFormat;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const tiklo::SystemEmojiTables tables;
    const tiklo::CatalogAssembler assembler(tables);
    for (Format format : {Format::raw, Format::emojiTest}) {
        std::unordered_set<std::string> seen;
        std::unordered_set<std::string> used;
        tiklo::EmojiFileScanner::scanBytes(
            bytes, format, seen,
            [&](const std::string& emoji, std::optional<tiklo::EmojiCategory> group) {
                const tiklo::EmojiItem item = assembler.makeItem(emoji, used, group);
                if (item.shortcode.empty() || item.name.empty() ||
                    (group && item.category != *group)) {
                    std::abort();
                }
            });
    }
    return 0;
}
