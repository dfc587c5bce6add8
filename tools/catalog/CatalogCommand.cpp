#include "CatalogCommand.h"

#include "EmojiCatalog.h"
#include "FileReading.h"

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
    "usage: tiklo-catalog items | search QUERY [--category NAME] [--favorites ID,ID] "
    "[--recents ID,ID] [--usage FILE] [--now SECONDS] [--json] [source options]";

// A bad command line; the message is printed as it stands.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string command;
    std::string query;
    std::optional<EmojiCategory> category;
    std::unordered_set<std::string> favorites;
    std::vector<std::string> recents;
    std::unordered_map<std::string, EmojiUsage> usage;
    std::optional<double> now;
    bool json = false;
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
    if (!std::filesystem::is_regular_file(path, error)) {
        throw UsageError("tiklo-catalog: no such file: " + path);
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
    std::vector<std::string> positional;
    CatalogSources::Annotations cldr{CatalogSources::AnnotationFormat::cldr, {}};
    using Format = CatalogSources::AnnotationFormat;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
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
    if (positional.empty()) {
        throw UsageError(usageText);
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
    Clock clock = secondsSinceReferenceDate;
    if (options.now) {
        clock = [now = *options.now] { return now; };
    }
    const CatalogSources sources =
        options.customSources ? options.sources : CatalogSources::systemDefaults();
    const EmojiCatalog catalog(sources, clock);

    if (options.command == "items") {
        for (const EmojiItem& item : catalog.all()) {
            printJson(out, item);
        }
        return 0;
    }
    for (const EmojiItem* item : catalog.search(options.query, options.category, options.favorites,
                                                options.usage, options.recents)) {
        if (options.json) {
            printJson(out, *item);
        } else {
            out << item->emoji << '\t' << item->shortcode << '\t' << item->name << '\n';
        }
    }
    return 0;
}

} // namespace tiklo
