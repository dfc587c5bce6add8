// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/theme/EmojiFontCoverage.h"

#include <QFont>
#include <QRawFont>

#include <hb.h>

#include <algorithm>
#include <array>

namespace tiklo {
namespace {

constexpr std::array glyphImageTables{
    HB_TAG('C', 'B', 'D', 'T'), HB_TAG('E', 'B', 'D', 'T'), HB_TAG('s', 'b', 'i', 'x'),
    HB_TAG('S', 'V', 'G', ' '), HB_TAG('g', 'l', 'y', 'f'), HB_TAG('C', 'F', 'F', ' '),
    HB_TAG('C', 'F', 'F', '2'),
};

} // namespace

// HarfBuzz over the tables of the font Qt resolves for the family: the same font the views
// draw with, shaped without reading any glyph image.
class EmojiFontCoverage::Shaper {
public:
    explicit Shaper(QRawFont raw)
        : raw_(std::move(raw)), face_(hb_face_create_for_tables(&Shaper::table, &raw_, nullptr)),
          font_(hb_font_create(face_)), buffer_(hb_buffer_create()) {}
    ~Shaper() {
        hb_buffer_destroy(buffer_);
        hb_font_destroy(font_);
        hb_face_destroy(face_);
    }
    Shaper(const Shaper&) = delete;
    Shaper& operator=(const Shaper&) = delete;

    bool oneGlyph(std::string_view text) {
        hb_buffer_clear_contents(buffer_);
        hb_buffer_add_utf8(buffer_, text.data(), static_cast<int>(text.size()), 0,
                           static_cast<int>(text.size()));
        hb_buffer_guess_segment_properties(buffer_);
        hb_shape(font_, buffer_, nullptr, 0);
        unsigned int count = 0;
        const hb_glyph_info_t* glyphs = hb_buffer_get_glyph_infos(buffer_, &count);
        const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer_, &count);
        // Selectors and joiners the font joins leave no mark; glyph 0 is the missing glyph.
        unsigned int marks = 0;
        for (unsigned int i = 0; i < count; ++i) {
            if (glyphs[i].codepoint == 0) {
                return false;
            }
            marks += positions[i].x_advance != 0 ? 1 : 0;
        }
        return marks == 1;
    }

private:
    static hb_blob_t* table(hb_face_t*, hb_tag_t tag, void* raw) {
        // Glyph images and outlines tell nothing about which glyphs a text shapes to, and a
        // colour font's images are megabytes that would be copied for nothing.
        if (std::ranges::find(glyphImageTables, tag) != glyphImageTables.end()) {
            return nullptr;
        }
        const char name[4] = {static_cast<char>(tag >> 24), static_cast<char>(tag >> 16),
                              static_cast<char>(tag >> 8), static_cast<char>(tag)};
        auto bytes = std::make_unique<QByteArray>(static_cast<QRawFont*>(raw)->fontTable(name));
        if (bytes->isEmpty()) {
            return nullptr;
        }
        const char* data = bytes->constData();
        const auto size = static_cast<unsigned int>(bytes->size());
        return hb_blob_create(data, size, HB_MEMORY_MODE_READONLY, bytes.release(),
                              [](void* owned) { delete static_cast<QByteArray*>(owned); });
    }

    QRawFont raw_;
    hb_face_t* face_;
    hb_font_t* font_;
    hb_buffer_t* buffer_;
};

EmojiFontCoverage::EmojiFontCoverage(QString family) : family_(std::move(family)) {}

EmojiFontCoverage::~EmojiFontCoverage() = default;

bool EmojiFontCoverage::drawsAsOneGlyph(std::string_view emoji) {
    if (!opened_) {
        opened_ = true;
        QFont font(family_);
        font.setStyleStrategy(QFont::NoFontMerging);
        QRawFont raw = QRawFont::fromFont(font);
        // Qt answers another family where this one is missing; judging by that would leave
        // out nearly everything that the views could still draw with fallback fonts.
        if (raw.isValid() && raw.familyName() == family_) {
            shaper_ = std::make_unique<Shaper>(std::move(raw));
        }
    }
    return !shaper_ || shaper_->oneGlyph(emoji);
}

} // namespace tiklo
