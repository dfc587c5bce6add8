// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiFileScanner.h"

#include "catalog/EmojiTestFile.h"
#include "catalog/FileReading.h"
#include "catalog/Unicode.h"

#include <algorithm>

namespace tiklo {
namespace {

constexpr char32_t firstPictographBlock = 0x1F000;
constexpr char32_t lastPictographBlock = 0x1FAFF;
constexpr char32_t firstMiscSymbol = 0x2600;
constexpr char32_t lastDingbat = 0x27BF;

bool marksEmoji(char32_t c) {
    return unicode::isEmojiPresentation(c) || unicode::isEmojiModifierBase(c) ||
           (c >= firstPictographBlock && c <= lastPictographBlock) ||
           (c >= firstMiscSymbol && c <= lastDingbat) || unicode::isRegionalIndicator(c);
}

bool isJoinerOrModifier(char32_t c) {
    return c == unicode::variationSelector16 || c == unicode::zeroWidthJoiner ||
           unicode::isSkinToneModifier(c);
}

void offer(const std::string& text, std::optional<EmojiCategory> group,
           std::unordered_set<std::string>& seen, const EmojiFileScanner::Accept& accept) {
    if (!EmojiFileScanner::isEmojiCandidate(text)) {
        return;
    }
    const std::u32string scalars = unicode::scalars(text);
    // Toned variants are never items: tones are applied on output.
    if (std::any_of(scalars.begin(), scalars.end(), unicode::isSkinToneModifier)) {
        return;
    }
    if (!seen.insert(text).second) {
        return;
    }
    accept(text, group);
}

} // namespace

bool EmojiFileScanner::isEmojiCandidate(std::string_view text) {
    const std::u32string scalars = unicode::scalars(text);
    if (std::none_of(scalars.begin(), scalars.end(), marksEmoji)) {
        return false;
    }
    if (scalars.size() == 1 && scalars.front() < firstMiscSymbol) {
        return false;
    }
    return !std::all_of(scalars.begin(), scalars.end(), isJoinerOrModifier);
}

void EmojiFileScanner::scanBytes(std::string_view bytes, CatalogSources::EmojiFileFormat format,
                                 std::unordered_set<std::string>& seen, const Accept& accept) {
    if (format == CatalogSources::EmojiFileFormat::emojiTest) {
        for (const EmojiTestFile::Entry& entry : EmojiTestFile::fullyQualified(bytes)) {
            offer(entry.emoji, entry.category, seen, accept);
        }
        return;
    }
    for (const std::string& character : unicode::graphemes(unicode::sanitizeUtf8(bytes))) {
        offer(character, std::nullopt, seen, accept);
    }
}

void EmojiFileScanner::scan(const std::vector<CatalogSources::EmojiFile>& candidates,
                            std::unordered_set<std::string>& seen, const Accept& accept) {
    for (const CatalogSources::EmojiFile& candidate : candidates) {
        if (const std::optional<std::string> bytes = readWholeFile(candidate.path)) {
            scanBytes(*bytes, candidate.format, seen, accept);
        }
        if (!seen.empty()) {
            return;
        }
    }
}

} // namespace tiklo
