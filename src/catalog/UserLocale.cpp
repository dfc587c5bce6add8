// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/UserLocale.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tiklo {
namespace {

// In POSIX order of precedence.
constexpr std::array<const char*, 3> localeVariables{"LC_ALL", "LC_MESSAGES", "LANG"};

constexpr std::string_view english = "en";
constexpr std::array<std::string_view, 2> posixLocales{"C", "POSIX"};

// CLDR language codes have two or three letters; scripts, regions and variants up to eight
// letters or digits.
constexpr std::size_t minLanguageLength = 2;
constexpr std::size_t maxLanguageLength = 3;
constexpr std::size_t maxSubtagLength = 8;

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAsciiAlphanumeric(char c) {
    return isAsciiLetter(c) || (c >= '0' && c <= '9');
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::vector<std::string> subtags(std::string_view name) {
    std::vector<std::string> parts;
    while (true) {
        const std::size_t separator = std::min(name.find_first_of("_-"), name.size());
        parts.emplace_back(name.substr(0, separator));
        if (separator == name.size()) {
            return parts;
        }
        name.remove_prefix(separator + 1);
    }
}

bool isLanguage(std::string_view tag) {
    return tag.size() >= minLanguageLength && tag.size() <= maxLanguageLength &&
           std::all_of(tag.begin(), tag.end(), isAsciiLetter);
}

bool isSubtag(std::string_view tag) {
    return !tag.empty() && tag.size() <= maxSubtagLength &&
           std::all_of(tag.begin(), tag.end(), isAsciiAlphanumeric);
}

} // namespace

std::string UserLocale::fromEnvironment(const Environment& environment) {
    for (const char* variable : localeVariables) {
        if (const char* value = environment(variable); value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

std::string UserLocale::fromEnvironment() {
    return fromEnvironment([](const char* name) -> const char* { return std::getenv(name); });
}

std::vector<std::string> UserLocale::cldrLocales(std::string_view locale) {
    // The codeset and modifier ("de_DE.UTF-8@euro") say nothing about the language.
    locale = locale.substr(0, std::min(locale.find_first_of(".@"), locale.size()));
    if (locale == none ||
        std::find(posixLocales.begin(), posixLocales.end(), locale) != posixLocales.end()) {
        return {};
    }
    std::vector<std::string> tags = subtags(locale);
    std::string& language = tags.front();
    if (!isLanguage(language) || !std::all_of(tags.begin() + 1, tags.end(), isSubtag)) {
        return {};
    }
    std::transform(language.begin(), language.end(), language.begin(), asciiLower);
    if (language == english) {
        return {};
    }
    std::vector<std::string> chain;
    for (std::size_t count = tags.size(); count > 0; --count) {
        std::string id = tags.front();
        for (std::size_t i = 1; i < count; ++i) {
            id += '_';
            id += tags[i];
        }
        chain.push_back(std::move(id));
    }
    return chain;
}

} // namespace tiklo
