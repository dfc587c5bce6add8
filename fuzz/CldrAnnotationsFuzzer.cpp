// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a CLDR annotations file.
#include "catalog/CldrAnnotations.h"
#include "catalog/Unicode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto parsed = tiklo::CldrAnnotations::parse(bytes)) {
        // Whatever parses must come out as valid UTF-8.
        for (const auto& [emoji, name] : parsed->names) {
            if (tiklo::unicode::sanitizeUtf8(emoji) != emoji ||
                tiklo::unicode::sanitizeUtf8(name) != name) {
                std::abort();
            }
        }
    }
    return 0;
}
