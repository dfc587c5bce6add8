// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>
#include <string_view>

namespace tiklo {

// Whether the emoji font draws an emoji as one glyph. The text is shaped with that font's
// own tables and no fallback, so an emoji newer than the font shows up here as missing
// rather than on screen as an empty box or as loose parts.
class EmojiFontCoverage {
public:
    explicit EmojiFontCoverage(QString family);
    ~EmojiFontCoverage();
    EmojiFontCoverage(const EmojiFontCoverage&) = delete;
    EmojiFontCoverage& operator=(const EmojiFontCoverage&) = delete;

    // The font is opened on the first call, in the calling thread; use one thread at a time.
    // Where the family is not installed nothing can be told, and every emoji passes.
    bool drawsAsOneGlyph(std::string_view emoji);

private:
    class Shaper;

    QString family_;
    bool opened_ = false;
    std::unique_ptr<Shaper> shaper_;
};

} // namespace tiklo
