// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/SymbolGroup.h"

#include "catalog/RawValueTable.h"

#include <algorithm>
#include <span>
#include <string_view>

#include <unicode/uchar.h>
#include <unicode/uscript.h>

namespace tiklo {
namespace {

struct GroupInfo {
    SymbolGroup value;
    std::string_view raw;
    std::string_view title;
    std::string_view characterLabel;
};

constexpr std::array<GroupInfo, 8> groupTable{{
    {SymbolGroup::punctuation, "punctuation", "Punctuation", "punctuation"},
    {SymbolGroup::arrows, "arrows", "Arrows", "arrows"},
    {SymbolGroup::math, "math", "Math", "math_symbols"},
    {SymbolGroup::currency, "currency", "Currency", "currency_symbols"},
    {SymbolGroup::geometric, "geometric", "Geometric", "geometric_shapes"},
    {SymbolGroup::bulletsStars, "bullets_stars", "Bullets & stars", "bullets_stars"},
    {SymbolGroup::letterlikeTechnical, "letterlike_technical", "Letterlike & technical",
     "letterlike_symbols"},
    {SymbolGroup::music, "music", "Music", "musical_symbols"},
}};

const GroupInfo& info(SymbolGroup group) {
    return groupTable[static_cast<std::size_t>(group)];
}

struct Range {
    char32_t first;
    char32_t last;
};

bool inRanges(std::span<const Range> ranges, char32_t c) {
    return std::ranges::any_of(
        ranges, [c](const Range& range) { return c >= range.first && c <= range.last; });
}

// Marks that start list items or decorate, wherever Unicode filed them: bullets, stars and
// asterisks, check marks and ballot boxes, card suits.
constexpr Range bulletsAndStars[] = {
    {0x2022, 0x2023}, // • ‣
    {0x203B, 0x203B}, // ※
    {0x2042, 0x2043}, // ⁂ ⁃
    {0x204C, 0x204D}, // ⁌ ⁍
    {0x2051, 0x2051}, // ⁑
    {0x25D8, 0x25D8}, // ◘
    {0x25E6, 0x25E6}, // ◦
    {0x2605, 0x2606}, // ★ ☆
    {0x2610, 0x2612}, // ☐ ☑ ☒
    {0x2619, 0x2619}, // ☙
    {0x2660, 0x2667}, // ♠ ♡ ♢ ♣ ♤ ♥ ♦ ♧
    {0x269D, 0x269D}, // ⚝
    {0x2713, 0x2714}, // ✓ ✔
    {0x2717, 0x2718}, // ✗ ✘
    {0x2726, 0x2727}, // ✦ ✧
    {0x2729, 0x273D}, // ✩ ... ✽
    {0x2747, 0x274B}, // ❇ ... ❋
    {0x2765, 0x2765}, // ❥
    {0x2767, 0x2767}, // ❧
    {0x29BE, 0x29BF}, // ⦾ ⦿
    {0x2B50, 0x2B52}, // ⭐ ⭑ ⭒
    {0x2BE8, 0x2BEB}, // half stars
};

constexpr char32_t microSign = 0x00B5;
constexpr Range notes{0x2669, 0x266F}; // ♩ ♪ ♫ ♬ ♭ ♮ ♯

// The two blocks that mix arrows with other shapes name theirs "... ARROW ...".
bool namedArrow(char32_t c) {
    char name[128];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        u_charName(static_cast<UChar32>(c), U_UNICODE_CHAR_NAME, name, sizeof name, &status);
    return U_SUCCESS(status) && length > 0 &&
           std::string_view(name, static_cast<std::size_t>(length)).find("ARROW") !=
               std::string_view::npos;
}

bool isPunctuation(int8_t type) {
    switch (type) {
    case U_DASH_PUNCTUATION:
    case U_START_PUNCTUATION:
    case U_END_PUNCTUATION:
    case U_CONNECTOR_PUNCTUATION:
    case U_OTHER_PUNCTUATION:
    case U_INITIAL_PUNCTUATION:
    case U_FINAL_PUNCTUATION:
    case U_MODIFIER_SYMBOL:
        return true;
    default:
        return false;
    }
}

// Marks, spaces, controls, unassigned and private-use code points stand for no symbol, even
// inside a symbol block.
bool isGraphic(int8_t type) {
    switch (type) {
    case U_NON_SPACING_MARK:
    case U_ENCLOSING_MARK:
    case U_COMBINING_SPACING_MARK:
    case U_SPACE_SEPARATOR:
    case U_LINE_SEPARATOR:
    case U_PARAGRAPH_SEPARATOR:
    case U_CONTROL_CHAR:
    case U_FORMAT_CHAR:
    case U_PRIVATE_USE_CHAR:
    case U_SURROGATE:
    case U_UNASSIGNED:
        return false;
    default:
        return true;
    }
}

bool isLetter(int8_t type) {
    return type == U_UPPERCASE_LETTER || type == U_LOWERCASE_LETTER || type == U_TITLECASE_LETTER ||
           type == U_MODIFIER_LETTER || type == U_OTHER_LETTER;
}

// Superscript and subscript digits (¹ ₂) and vulgar fractions (½ ⅓).
bool isMathNumber(UChar32 c, int8_t type) {
    if (type != U_OTHER_NUMBER) {
        return false;
    }
    const int32_t decomposition = u_getIntPropertyValue(c, UCHAR_DECOMPOSITION_TYPE);
    return decomposition == U_DT_SUPER || decomposition == U_DT_SUB ||
           decomposition == U_DT_FRACTION;
}

} // namespace

std::string_view rawValue(SymbolGroup group) {
    return info(group).raw;
}

std::optional<SymbolGroup> symbolGroupFromRaw(std::string_view raw) {
    return lookupRawValue(groupTable, raw);
}

std::string_view title(SymbolGroup group) {
    return info(group).title;
}

std::string_view characterLabelType(SymbolGroup group) {
    return info(group).characterLabel;
}

std::optional<SymbolGroup> symbolGroupOf(char32_t c) {
    if (c > 0x10FFFF) {
        return std::nullopt;
    }
    const auto scalar = static_cast<UChar32>(c);
    const auto type = static_cast<int8_t>(u_charType(scalar));
    if (!isGraphic(type)) {
        return std::nullopt;
    }
    // The explicit sets first: ♯ is a math symbol and ★ a miscellaneous one to Unicode.
    if (c >= notes.first && c <= notes.last) {
        return SymbolGroup::music;
    }
    if (inRanges(bulletsAndStars, c)) {
        return SymbolGroup::bulletsStars;
    }
    if (type == U_CURRENCY_SYMBOL) {
        return SymbolGroup::currency;
    }
    // Blocks before categories: many arrows and shapes are math symbols (Sm) to Unicode.
    switch (ublock_getCode(scalar)) {
    case UBLOCK_ARROWS:
    case UBLOCK_SUPPLEMENTAL_ARROWS_A:
    case UBLOCK_SUPPLEMENTAL_ARROWS_B:
    case UBLOCK_SUPPLEMENTAL_ARROWS_C:
        return SymbolGroup::arrows;
    case UBLOCK_MISCELLANEOUS_SYMBOLS_AND_ARROWS:
        return namedArrow(c) ? SymbolGroup::arrows : SymbolGroup::geometric;
    case UBLOCK_DINGBATS:
        if (namedArrow(c)) {
            return SymbolGroup::arrows;
        }
        break;
    case UBLOCK_GEOMETRIC_SHAPES:
    case UBLOCK_GEOMETRIC_SHAPES_EXTENDED:
    case UBLOCK_BOX_DRAWING:
    case UBLOCK_BLOCK_ELEMENTS:
        return SymbolGroup::geometric;
    case UBLOCK_MATHEMATICAL_OPERATORS:
    case UBLOCK_SUPPLEMENTAL_MATHEMATICAL_OPERATORS:
    case UBLOCK_MISCELLANEOUS_MATHEMATICAL_SYMBOLS_A:
    case UBLOCK_MISCELLANEOUS_MATHEMATICAL_SYMBOLS_B:
    case UBLOCK_MATHEMATICAL_ALPHANUMERIC_SYMBOLS:
        return SymbolGroup::math;
    case UBLOCK_MUSICAL_SYMBOLS:
        return SymbolGroup::music;
    default:
        break;
    }
    if (type == U_MATH_SYMBOL || isMathNumber(scalar, type)) {
        return SymbolGroup::math;
    }
    // Brackets, dashes and quotes stay punctuation even in the technical blocks (⌈ 〈).
    if (isPunctuation(type)) {
        return SymbolGroup::punctuation;
    }
    switch (ublock_getCode(scalar)) {
    case UBLOCK_LETTERLIKE_SYMBOLS:
    case UBLOCK_MISCELLANEOUS_TECHNICAL:
    case UBLOCK_ENCLOSED_ALPHANUMERICS:
    case UBLOCK_DINGBATS:
        return SymbolGroup::letterlikeTechnical;
    default:
        break;
    }
    const bool greekLetter =
        isLetter(type) && u_getIntPropertyValue(scalar, UCHAR_SCRIPT) == USCRIPT_GREEK;
    if (type == U_OTHER_SYMBOL || greekLetter || c == microSign) {
        return SymbolGroup::letterlikeTechnical;
    }
    return std::nullopt;
}

} // namespace tiklo
