// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/catalog/CatalogCommand.h"

#include "catalog/EmojiCatalog.h"
#include "catalog/FileReading.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>

#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

constexpr const char* usageText =
    "usage: tiklo-catalog items [--kind KIND] | search QUERY [--kind KIND | --inline] "
    "[--category NAME] [--favorites ID,ID] "
    "[--recents ID,ID] [--usage FILE] [--now SECONDS] [--json] [--locale NAME] "
    "[source options] [--] (--help explains them)";

constexpr const char* helpText =
    "Prints the catalog that Tiklo builds from the system's data, one JSON item per line\n"
    "(items: emoji, then symbols, then kaomoji), or the ranked results of a search (search\n"
    "QUERY), one per line: the text, its id, its name and its kind.\n"
    "\n"
    "  --kind KIND        only this kind: emoji, symbol or kaomoji; a search looks in one\n"
    "                     kind, emoji unless this names another, as the full picker's tabs do\n"
    "  --inline           search as the popup does: emoji, then the few symbols and kaomoji\n"
    "                     found well enough, and the row of a group the query names (its\n"
    "                     kind column is \"group\", its id the tab and the group)\n"
    "  --category NAME    only this category: Smileys, People, Animals, Food, Activity,\n"
    "                     Travel, Objects, Symbols or Flags\n"
    "  --favorites ID,ID  the favorites, by shortcode\n"
    "  --recents ID,ID    the recents, most recent first\n"
    "  --usage FILE       a JSON object of emoji to {\"count\": N, \"lastUsedAt\": SECONDS}\n"
    "  --now SECONDS      the moment of the search, in seconds since 2001-01-01 UTC\n"
    "  --json             print the results as JSON items\n"
    "  --locale NAME      also search in the CLDR names and keywords of this language\n"
    "                     (de, fr_CA.UTF-8), or \"none\": English only. Without it the\n"
    "                     language is that of LC_ALL, LC_MESSAGES or LANG, and none with\n"
    "                     source options\n"
    "  --                 ends the options, so that a query may start with \"-\"\n"
    "  --help             this text\n"
    "\n"
    "Source options replace the system's data with the named files:\n"
    "  --emoji-test FILE  Unicode's emoji-test.txt\n"
    "  --emoji-file FILE  any file, scanned for emoji\n"
    "  --cldr FILE        a CLDR annotations file (names and keywords)\n"
    "  --names FILE, --phrases FILE, --equivalences FILE\n"
    "                     property lists of names, phrases and equivalent emoji\n";

constexpr std::string_view endOfOptions = "--";
constexpr std::string_view helpOption = "--help";

// A bad command line; the message is printed as it stands.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string command;
    std::string query;
    std::optional<EmojiCategory> category;
    std::optional<ItemKind> kind;
    bool inlineSearch = false;
    std::unordered_set<std::string> favorites;
    std::vector<std::string> recents;
    std::unordered_map<std::string, EmojiUsage> usage;
    std::optional<double> now;
    bool json = false;
    bool help = false;
    std::optional<std::string> locale;
    bool customSources = false;
    CatalogSources sources;
};

std::vector<std::string> splitIds(const std::string& list) {
    std::vector<std::string> ids;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        if (comma > start) {
            ids.push_back(list.substr(start, comma - start));
        }
        start = comma + 1;
    }
    return ids;
}

std::string existingFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        throw UsageError("tiklo-catalog: no such file: " + path);
    }
    if (error) {
        throw UsageError("tiklo-catalog: cannot read " + path + ": " + error.message());
    }
    if (!std::filesystem::is_regular_file(status)) {
        throw UsageError("tiklo-catalog: not a regular file: " + path);
    }
    return path;
}

std::unordered_map<std::string, EmojiUsage> readUsage(const std::string& path) {
    const std::optional<std::string> bytes = readWholeFile(existingFile(path));
    if (!bytes) {
        throw UsageError("tiklo-catalog: cannot read " + path);
    }
    try {
        return nlohmann::json::parse(*bytes).get<std::unordered_map<std::string, EmojiUsage>>();
    } catch (const std::exception&) {
        throw UsageError("tiklo-catalog: " + path + " is not an emoji usage map");
    }
}

double parseSeconds(const std::string& text) {
    double value = 0;
    const auto [ptr, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value)) {
        throw UsageError("tiklo-catalog: --now needs a number of seconds, not " + text);
    }
    return value;
}

Options parse(const std::vector<std::string>& args) {
    Options options;
    // Help answers whatever else the command line says, up to the end of the options.
    const auto optionsEnd = std::find(args.begin(), args.end(), endOfOptions);
    if (std::find(args.begin(), optionsEnd, helpOption) != optionsEnd) {
        options.help = true;
        return options;
    }
    std::vector<std::string> positional;
    CatalogSources::Annotations cldr{CatalogSources::AnnotationFormat::cldr, {}};
    using Format = CatalogSources::AnnotationFormat;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == endOfOptions) {
            positional.insert(positional.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                              args.end());
            break;
        }
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) {
                throw UsageError("tiklo-catalog: " + arg + " needs a value");
            }
            return args[++i];
        };
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--category") {
            const std::string& name = value();
            options.category = emojiCategoryFromRaw(name);
            if (!options.category) {
                throw UsageError("tiklo-catalog: unknown category: " + name);
            }
        } else if (arg == "--kind") {
            const std::string& name = value();
            options.kind = itemKindFromRaw(name);
            if (!options.kind) {
                throw UsageError("tiklo-catalog: unknown kind: " + name +
                                 " (emoji, symbol or kaomoji)");
            }
        } else if (arg == "--inline") {
            options.inlineSearch = true;
        } else if (arg == "--favorites") {
            for (std::string& id : splitIds(value())) {
                options.favorites.insert(std::move(id));
            }
        } else if (arg == "--recents") {
            options.recents = splitIds(value());
        } else if (arg == "--usage") {
            options.usage = readUsage(value());
        } else if (arg == "--now") {
            options.now = parseSeconds(value());
        } else if (arg == "--locale") {
            options.locale = value();
        } else if (arg == "--emoji-file" || arg == "--emoji-test") {
            const auto format = arg == "--emoji-file" ? CatalogSources::EmojiFileFormat::raw
                                                      : CatalogSources::EmojiFileFormat::emojiTest;
            options.sources.emojiFiles.push_back({existingFile(value()), format});
            options.customSources = true;
        } else if (arg == "--names") {
            options.sources.names.push_back({Format::propertyList, {existingFile(value())}});
            options.customSources = true;
        } else if (arg == "--phrases") {
            options.sources.phrases.push_back({Format::propertyList, {existingFile(value())}});
            options.customSources = true;
        } else if (arg == "--equivalences") {
            options.sources.equivalences.push_back(existingFile(value()));
            options.customSources = true;
        } else if (arg == "--cldr") {
            cldr.paths.push_back(existingFile(value()));
            options.customSources = true;
        } else if (arg.starts_with("--")) {
            throw UsageError("tiklo-catalog: unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    // The CLDR set comes after the property-list candidates, as in the system defaults.
    if (!cldr.paths.empty()) {
        options.sources.names.push_back(cldr);
        options.sources.phrases.push_back(cldr);
    }
    if (options.locale) {
        options.sources.userLanguage = CatalogSources::userLanguageFiles(*options.locale);
    }
    if (positional.empty()) {
        throw UsageError(usageText);
    }
    if (options.inlineSearch && (options.kind || options.category)) {
        throw UsageError("tiklo-catalog: --inline searches every kind, without a category");
    }
    if (options.category && options.kind.value_or(ItemKind::emoji) != ItemKind::emoji) {
        throw UsageError("tiklo-catalog: --category names emoji categories only");
    }
    options.command = positional[0];
    if (options.command == "items" && positional.size() == 1) {
        return options;
    }
    if (options.command == "search" && positional.size() == 2) {
        options.query = positional[1];
        return options;
    }
    throw UsageError(usageText);
}

// One line when the catalog is only the built-in items, naming the packages to install.
void warnAboutMissingData(const EmojiCatalog& catalog, std::ostream& err) {
    const CatalogSourceReport& report = catalog.sourceReport();
    if (report.emojiFile) {
        return;
    }
    err << "tiklo-catalog: no emoji data could be read, so the catalog is only the "
        << catalog.all().size() << " built-in emoji; install";
    const std::vector<CatalogSourceReport::Package> packages = report.missingPackages();
    for (std::size_t i = 0; i < packages.size(); ++i) {
        err << (i == 0 ? " " : " and ") << packages[i].name << " (" << packages[i].data << ")";
    }
    err << '\n';
}

void printJson(std::ostream& out, const EmojiItem& item) {
    out << nlohmann::json(item).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
        << '\n';
}

} // namespace

int CatalogCommand::run(const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err) {
    Options options;
    try {
        options = parse(args);
    } catch (const UsageError& error) {
        err << error.what() << '\n';
        return usageError;
    }
    if (options.help) {
        out << usageText << "\n\n" << helpText;
        return 0;
    }
    Clock clock = secondsSinceReferenceDate;
    if (options.now) {
        clock = [now = *options.now] { return now; };
    }
    CatalogSources sources = options.sources;
    if (!options.customSources) {
        sources = options.locale ? CatalogSources::systemDefaults(*options.locale)
                                 : CatalogSources::systemDefaults();
    }
    const EmojiCatalog catalog(sources, clock);
    warnAboutMissingData(catalog, err);

    if (options.command == "items") {
        for (const ItemKind kind : allItemKinds) {
            if (options.kind.value_or(kind) == kind) {
                for (const EmojiItem& item : catalog.ofKind(kind).all()) {
                    printJson(out, item);
                }
            }
        }
        return 0;
    }
    const std::vector<const EmojiItem*> results =
        options.inlineSearch
            ? catalog.inlineSearch(options.query, options.favorites, options.usage, options.recents)
            : catalog.ofKind(options.kind.value_or(ItemKind::emoji))
                  .search(options.query, options.category, options.favorites, options.usage,
                          options.recents);
    // The popup's row that opens a group the query names, where the popup lists it.
    const std::optional<NamedGroup> group =
        options.inlineSearch ? catalog.namedGroup(options.query) : std::nullopt;
    const std::size_t groupRow = namedGroupRow(results.size());
    for (std::size_t row = 0; row <= results.size(); ++row) {
        if (group && row == groupRow) {
            if (options.json) {
                out << nlohmann::json{{"opens", rawValue(group->kind)},
                                      {"group", group->group},
                                      {"title", group->title}}
                           .dump()
                    << '\n';
            } else {
                out << group->sample << '\t' << rawValue(group->kind) << ':' << group->group << '\t'
                    << group->title << '\t' << "group" << '\n';
            }
        }
        if (row == results.size()) {
            break;
        }
        const EmojiItem* item = results[row];
        if (options.json) {
            printJson(out, *item);
        } else {
            out << item->emoji << '\t' << item->shortcode << '\t' << item->name << '\t'
                << rawValue(item->kind) << '\n';
        }
    }
    return 0;
}

} // namespace tiklo
