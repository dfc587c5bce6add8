// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tiklo {

// The user's language as the catalog sees it: a POSIX locale name ("de_DE.UTF-8") and the
// CLDR locales whose emoji annotations it reads for it.
class UserLocale {
public:
    // Asks for one environment variable; nullptr when it is not set.
    using Environment = std::function<const char*(const char* name)>;

    // Names no language: the catalog stays English.
    static constexpr std::string_view none = "none";

    // The locale of messages: the first of LC_ALL, LC_MESSAGES and LANG that is set and not
    // empty, or an empty name.
    static std::string fromEnvironment(const Environment& environment);
    static std::string fromEnvironment();

    // The CLDR locales to read for `locale`, most specific first: "de_DE.UTF-8" gives de_DE
    // and de, "zh_Hant_HK" gives zh_Hant_HK, zh_Hant and zh. Empty for English ("en",
    // "en_*"), "C", "POSIX", `none`, an empty name, and anything that is not a locale name,
    // so no name ever reaches a file path unchecked.
    static std::vector<std::string> cldrLocales(std::string_view locale);
};

} // namespace tiklo
