// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Unicode helpers over UTF-8 strings, backed by ICU. Every function accepts any bytes:
// invalid UTF-8 is read as U+FFFD.
namespace tiklo::unicode {

inline constexpr char32_t replacementCharacter = 0xFFFD;
inline constexpr char32_t variationSelector16 = 0xFE0F;
inline constexpr char32_t zeroWidthJoiner = 0x200D;
inline constexpr char32_t combiningEnclosingKeycap = 0x20E3;
inline constexpr char32_t firstSkinToneModifier = 0x1F3FB;
inline constexpr char32_t lastSkinToneModifier = 0x1F3FF;
inline constexpr char32_t firstRegionalIndicator = 0x1F1E6;
inline constexpr char32_t lastRegionalIndicator = 0x1F1FF;

constexpr bool isSkinToneModifier(char32_t c) {
    return c >= firstSkinToneModifier && c <= lastSkinToneModifier;
}
constexpr bool isRegionalIndicator(char32_t c) {
    return c >= firstRegionalIndicator && c <= lastRegionalIndicator;
}

// Decodes UTF-8, each invalid sequence becoming U+FFFD.
std::u32string scalars(std::string_view utf8);
std::string toUtf8(std::u32string_view scalars);
void appendUtf8(std::string& out, char32_t scalar);
// Re-encodes bytes as valid UTF-8, replacing every invalid sequence by U+FFFD.
std::string sanitizeUtf8(std::string_view bytes);

// Extended grapheme clusters (user-perceived characters) of the text, in order.
std::vector<std::string> graphemes(std::string_view utf8);
std::size_t graphemeCount(std::string_view utf8);

bool isEmoji(char32_t c);
bool isEmojiPresentation(char32_t c);
bool isEmojiModifierBase(char32_t c);
// General category letter, mark or number.
bool isAlphanumeric(char32_t c);
bool isWhiteSpace(char32_t c);
// True when `c` cannot start a user-perceived character: it extends the one before it
// (combining marks, joiners, variation selectors, skin-tone modifiers).
bool continuesCharacter(char32_t c);

// The Unicode Name property, or nothing for unnamed scalars.
std::optional<std::string> characterName(char32_t c);

// Full, locale-independent case mapping.
std::string toLower(std::string_view utf8);
std::string toUpper(std::string_view utf8);
// Canonical composition (NFC).
std::string nfc(std::string_view utf8);

// The words of a text: its runs of letters, marks and digits, in order.
std::vector<std::string> words(std::string_view utf8);

// Case-folded, without diacritics ("Émoji" -> "emoji", "Straße" -> "strasse"), as UTF-8.
std::string foldCaseAndDiacritics(std::string_view utf8);

// The first occurrence of `needle` in `text`, ignoring letter case and diacritics, as a
// byte range of `text`; nothing when absent or when `needle` is empty.
std::optional<std::pair<std::size_t, std::size_t>>
findIgnoringCaseAndDiacritics(std::string_view text, std::string_view needle);

// Leading and trailing white space (including U+000A..U+000D and U+0085) removed; the
// result is valid UTF-8.
std::string trimWhiteSpace(std::string_view utf8);

// English (United States) display name of a two-letter region code, or nothing when
// there is no name for it.
std::optional<std::string> regionName(std::string_view code);

} // namespace tiklo::unicode
