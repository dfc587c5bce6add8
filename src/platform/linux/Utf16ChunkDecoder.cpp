// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/Utf16ChunkDecoder.h"

namespace tiklo {
namespace {

bool isHigh(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLow(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::u32string Utf16ChunkDecoder::decode(std::u16string_view chunk) {
    std::u32string scalars;
    scalars.reserve(chunk.size());
    for (const char16_t unit : chunk) {
        if (pendingHigh_ != 0) {
            const char16_t high = pendingHigh_;
            pendingHigh_ = 0;
            if (isLow(unit)) {
                scalars.push_back(0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) +
                                  (static_cast<char32_t>(unit) - 0xDC00));
                continue;
            }
            // The high surrogate had no partner; `unit` is decoded on its own below.
        }
        if (isHigh(unit)) {
            pendingHigh_ = unit;
        } else if (!isLow(unit)) {
            scalars.push_back(unit);
        }
    }
    return scalars;
}

} // namespace tiklo
