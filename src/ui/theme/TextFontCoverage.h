// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string_view>

namespace tiklo {

// Whether the installed fonts together draw every character of a text: symbols and kaomoji
// are text, drawn by whichever font has each character, so a character no font has shows as
// an empty box.
class TextFontCoverage {
public:
    TextFontCoverage();
    ~TextFontCoverage();
    TextFontCoverage(const TextFontCoverage&) = delete;
    TextFontCoverage& operator=(const TextFontCoverage&) = delete;

    // The fonts are read on the first call, in the calling thread; use one thread at a time.
    // Spaces and invisible format characters need no font. Where the font list cannot be read,
    // every text passes.
    bool drawsAll(std::string_view text);

private:
    class Characters;
    std::unique_ptr<Characters> characters_;
};

} // namespace tiklo
