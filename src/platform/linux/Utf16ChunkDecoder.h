// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tiklo {

// Decodes UTF-16 text that arrives in chunks, where a chunk may end between the two halves
// of a surrogate pair: a trailing high surrogate is kept and joined to the next chunk.
// Surrogates without their other half are dropped, never passed on.
class Utf16ChunkDecoder {
public:
    std::u32string decode(std::u16string_view chunk);
    // Forgets a kept high surrogate: the text it belonged to has ended.
    void reset() { pendingHigh_ = 0; }

private:
    char16_t pendingHigh_ = 0;
};

} // namespace tiklo
