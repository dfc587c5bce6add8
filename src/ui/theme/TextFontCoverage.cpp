// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/theme/TextFontCoverage.h"

#include <QChar>
#include <QList>
#include <QString>

#include <fontconfig/fontconfig.h>

namespace tiklo {

// The characters of every installed font, as one set.
class TextFontCoverage::Characters {
public:
    Characters() : set_(FcCharSetCreate()) {
        FcPattern* pattern = FcPatternCreate();
        FcObjectSet* objects = FcObjectSetBuild(FC_CHARSET, nullptr);
        FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
        if (fonts != nullptr) {
            for (int i = 0; i < fonts->nfont; ++i) {
                FcCharSet* charset = nullptr;
                if (FcPatternGetCharSet(fonts->fonts[i], FC_CHARSET, 0, &charset) ==
                    FcResultMatch) {
                    FcCharSetMerge(set_, charset, nullptr);
                }
            }
            known_ = fonts->nfont > 0;
            FcFontSetDestroy(fonts);
        }
        FcObjectSetDestroy(objects);
        FcPatternDestroy(pattern);
    }
    ~Characters() { FcCharSetDestroy(set_); }
    Characters(const Characters&) = delete;
    Characters& operator=(const Characters&) = delete;

    bool has(char32_t c) const { return !known_ || FcCharSetHasChar(set_, c) != FcFalse; }

private:
    FcCharSet* set_;
    bool known_ = false;
};

TextFontCoverage::TextFontCoverage() = default;
TextFontCoverage::~TextFontCoverage() = default;

bool TextFontCoverage::drawsAll(std::string_view text) {
    if (!characters_) {
        characters_ = std::make_unique<Characters>();
    }
    const QString decoded = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (const char32_t c : decoded.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Separator_Space || category == QChar::Other_Format) {
            continue;
        }
        if (!characters_->has(c)) {
            return false;
        }
    }
    return true;
}

} // namespace tiklo
