#include "PropertyListReader.h"

#include "PlainTextPropertyListParser.h"

#include <plist/plist.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tiklo {

namespace {

constexpr int maxDepth = PlainTextPropertyListParser::maxDepth;
constexpr std::string_view binaryMagic = "bplist00";
constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

struct PlistDeleter {
    void operator()(void* node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

struct FreeDeleter {
    void operator()(void* memory) const { std::free(memory); }
};

void appendUtf8(std::string& out, char32_t scalar) {
    char buffer[U8_MAX_LENGTH];
    std::size_t length = 0;
    U8_APPEND_UNSAFE(buffer, length, scalar);
    out.append(buffer, length);
}

// libplist passes string bytes through unchecked.
std::string validUtf8(std::string_view bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t length = bytes.size();
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length;) {
        UChar32 scalar = 0;
        U8_NEXT_OR_FFFD(data, i, length, scalar);
        appendUtf8(out, static_cast<char32_t>(scalar));
    }
    return out;
}

// Unpaired surrogates and a dangling odd byte become U+FFFD rather than vanishing.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [&](std::size_t index) {
        const auto first = static_cast<unsigned char>(bytes[2 * index]);
        const auto second = static_cast<unsigned char>(bytes[2 * index + 1]);
        return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    const std::size_t units = bytes.size() / 2;
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < units;) {
        const char16_t unit = unitAt(i++);
        char32_t scalar = unit;
        if (U16_IS_LEAD(unit) && i < units && U16_IS_TRAIL(unitAt(i))) {
            scalar = U16_GET_SUPPLEMENTARY(unit, unitAt(i));
            ++i;
        } else if (U16_IS_SURROGATE(unit)) {
            scalar = 0xFFFD;
        }
        appendUtf8(out, scalar);
    }
    if (bytes.size() % 2 != 0) {
        appendUtf8(out, 0xFFFD);
    }
    return out;
}

bool isXmlWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The document from its first markup on, or nothing when the bytes are not XML.
std::optional<std::string_view> xmlDocument(std::string_view bytes) {
    if (bytes.starts_with(utf8ByteOrderMark)) {
        bytes.remove_prefix(utf8ByteOrderMark.size());
    }
    std::size_t start = 0;
    while (start < bytes.size() && isXmlWhiteSpace(bytes[start])) {
        ++start;
    }
    bytes.remove_prefix(start);
    if (bytes.starts_with("<?xml") || bytes.starts_with("<!DOCTYPE") ||
        bytes.starts_with("<plist")) {
        return bytes;
    }
    return std::nullopt;
}

// Where `terminator` ends a construct that starts at `from`, or npos. libplist versions differ
// in whether quoted text inside a tag can hide its end, so only an end that is the same either
// way is trusted.
std::size_t unambiguousEnd(std::string_view xml, std::size_t from, std::string_view terminator) {
    const std::size_t plain = xml.find(terminator, from);
    char quote = 0;
    for (std::size_t pos = from; pos < xml.size(); ++pos) {
        if (quote != 0) {
            quote = xml[pos] == quote ? 0 : quote;
        } else if (xml[pos] == '"' || xml[pos] == '\'') {
            quote = xml[pos];
        } else if (xml.compare(pos, terminator.size(), terminator) == 0) {
            return pos == plain ? plain : std::string_view::npos;
        }
    }
    return std::string_view::npos;
}

// libplist reads XML without recursion but frees trees recursively, also when it gives up
// half-way, so deep nesting must be refused before it builds anything. The count errs high:
// whatever it skips, libplist skips too, and anything it cannot be sure of is refused.
bool xmlNestingIsBounded(std::string_view xml) {
    // The <plist> element and a leaf below the deepest container.
    constexpr std::size_t limit = maxDepth + 2;
    constexpr auto npos = std::string_view::npos;
    std::size_t depth = 0;
    std::size_t pos = 0;
    while ((pos = xml.find('<', pos)) != npos) {
        const std::string_view rest = xml.substr(pos);
        std::size_t end = npos;
        std::size_t terminatorSize = 1;
        if (rest.starts_with("<!--")) {
            // Comments end at the first "-->" regardless of quotes.
            end = xml.find("-->", pos + 4);
            terminatorSize = 3;
        } else if (rest.starts_with("<![CDATA[")) {
            end = xml.find("]]>", pos + 9);
            terminatorSize = 3;
        } else if (rest.starts_with("<?")) {
            end = unambiguousEnd(xml, pos + 2, "?>");
            terminatorSize = 2;
        } else if (rest.starts_with("<!")) {
            end = unambiguousEnd(xml, pos + 2, ">");
            // An internal DTD subset could hide markup from this count; plists never carry one.
            if (end != npos && xml.substr(pos, end - pos).find('[') != npos) {
                return false;
            }
        } else {
            end = unambiguousEnd(xml, pos + 1, ">");
            if (end != npos) {
                if (rest.starts_with("</")) {
                    depth -= depth > 0 ? 1 : 0;
                } else if (xml[end - 1] != '/' && ++depth > limit) {
                    return false;
                }
            }
        }
        if (end == npos) {
            return false;
        }
        pos = end + terminatorSize;
    }
    return true;
}

std::uint64_t readBigEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// libplist 2.2 recurses once per nesting level while reading a binary plist, and it copies an
// object each time it is referenced, so a few hundred bytes can overflow the stack or expand
// to billions of nodes. Walk the object graph first, without recursion, and refuse anything
// out of bounds, cyclic, too deep, or expanding beyond what the file could honestly hold.
bool binaryShapeIsSafe(std::string_view bytes) {
    constexpr std::size_t headerSize = 8;
    constexpr std::size_t trailerSize = 32;
    if (bytes.size() < headerSize + trailerSize) {
        return false;
    }
    const std::size_t trailer = bytes.size() - trailerSize;
    const std::size_t offsetWidth = static_cast<unsigned char>(bytes[trailer + 6]);
    const std::size_t referenceWidth = static_cast<unsigned char>(bytes[trailer + 7]);
    const std::uint64_t objectCount = readBigEndian(bytes, trailer + 8, 8);
    const std::uint64_t root = readBigEndian(bytes, trailer + 16, 8);
    const std::uint64_t tableStart = readBigEndian(bytes, trailer + 24, 8);
    if (offsetWidth < 1 || offsetWidth > 8 || referenceWidth < 1 || referenceWidth > 8 ||
        objectCount == 0 || root >= objectCount || tableStart < headerSize ||
        tableStart > trailer || objectCount > (trailer - tableStart) / offsetWidth) {
        return false;
    }

    // Where an object starts, or nothing when its offset points outside the object area.
    const auto offsetOf = [&](std::uint64_t object) -> std::optional<std::size_t> {
        const std::uint64_t offset =
            readBigEndian(bytes, tableStart + object * offsetWidth, offsetWidth);
        if (offset < headerSize || offset >= tableStart) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(offset);
    };
    struct Counted {
        std::size_t start = 0;
        std::uint64_t count = 0;
    };
    // The item count in the marker at `offset` (or in the integer after it) and where the items
    // start.
    const auto countedAt = [&](std::size_t offset) -> std::optional<Counted> {
        std::size_t at = offset + 1;
        std::uint64_t count = static_cast<unsigned char>(bytes[offset]) & 0x0F;
        if (count == 0x0F) {
            if (at >= tableStart) {
                return std::nullopt;
            }
            const auto countMarker = static_cast<unsigned char>(bytes[at]);
            if ((countMarker >> 4) != 0x1 || (countMarker & 0x0F) > 3) {
                return std::nullopt;
            }
            const std::size_t width = std::size_t{1} << (countMarker & 0x0F);
            if (tableStart - (at + 1) < width) {
                return std::nullopt;
            }
            count = readBigEndian(bytes, at + 1, width);
            at += 1 + width;
        }
        return Counted{at, count};
    };
    struct References {
        std::size_t start = 0;
        std::uint64_t count = 0;
        // Dictionaries list their keys first.
        std::uint64_t keys = 0;
    };
    // Leaves have no references; nothing means the object lies out of bounds.
    const auto referencesOf = [&](std::uint64_t object) -> std::optional<References> {
        const auto offset = offsetOf(object);
        if (!offset) {
            return std::nullopt;
        }
        const unsigned type = static_cast<unsigned char>(bytes[*offset]) >> 4;
        // Arrays, sets and dictionaries.
        if (type != 0xA && type != 0xC && type != 0xD) {
            return References{};
        }
        auto counted = countedAt(*offset);
        if (!counted) {
            return std::nullopt;
        }
        std::uint64_t keys = 0;
        if (type == 0xD) {
            if (counted->count > std::numeric_limits<std::uint64_t>::max() / 2) {
                return std::nullopt;
            }
            keys = counted->count;
            counted->count *= 2;
        }
        if (counted->count > (tableStart - counted->start) / referenceWidth) {
            return std::nullopt;
        }
        return References{counted->start, counted->count, keys};
    };
    // libplist aborts the process (a failed assertion) when it reads a dictionary key whose
    // UTF-16 text holds U+0000.
    std::vector<bool> keyChecked(objectCount, false);
    const auto keyIsReadable = [&](std::uint64_t key) {
        const auto offset = offsetOf(key);
        if (!offset) {
            return false;
        }
        if (keyChecked[key] || static_cast<unsigned char>(bytes[*offset]) >> 4 != 0x6) {
            return true;
        }
        const auto counted = countedAt(*offset);
        if (!counted || counted->count > (tableStart - counted->start) / 2) {
            return false;
        }
        for (std::uint64_t i = 0; i < counted->count; ++i) {
            if (bytes[counted->start + 2 * i] == '\0' &&
                bytes[counted->start + 2 * i + 1] == '\0') {
                return false;
            }
        }
        keyChecked[key] = true;
        return true;
    };

    // Honest writers share only leaves, so the tree has at most one node per reference.
    const std::uint64_t nodeLimit = 2 * static_cast<std::uint64_t>(bytes.size());
    enum class State : std::uint8_t { unseen, onPath, done };
    std::vector<State> state(objectCount, State::unseen);
    std::vector<std::uint64_t> expandedSize(objectCount, 0);
    struct Frame {
        std::uint64_t object;
        References references;
        std::uint64_t next;
        std::uint64_t size;
    };
    std::vector<Frame> path;
    const auto enter = [&](std::uint64_t object) {
        const auto references = referencesOf(object);
        if (!references || path.size() > static_cast<std::size_t>(maxDepth)) {
            return false;
        }
        state[object] = State::onPath;
        path.push_back({object, *references, 0, 1});
        return true;
    };
    if (!enter(root)) {
        return false;
    }
    while (!path.empty()) {
        Frame& top = path.back();
        if (top.next == top.references.count) {
            state[top.object] = State::done;
            expandedSize[top.object] = top.size;
            const std::uint64_t size = top.size;
            path.pop_back();
            if (!path.empty() && (path.back().size += size) > nodeLimit) {
                return false;
            }
            continue;
        }
        const std::uint64_t child =
            readBigEndian(bytes, top.references.start + top.next * referenceWidth, referenceWidth);
        const bool isKey = top.next < top.references.keys;
        ++top.next;
        if (child >= objectCount || state[child] == State::onPath ||
            (isKey && !keyIsReadable(child))) {
            return false;
        }
        if (state[child] == State::done) {
            if ((top.size += expandedSize[child]) > nodeLimit) {
                return false;
            }
        } else if (!enter(child)) {
            return false;
        }
    }
    return true;
}

std::optional<PropertyListValue> convert(plist_t node, int depth) {
    switch (plist_get_node_type(node)) {
    case PLIST_STRING: {
        std::uint64_t length = 0;
        const char* data = plist_get_string_ptr(node, &length);
        if (data == nullptr) {
            return std::nullopt;
        }
        return PropertyListValue(validUtf8(std::string_view(data, length)));
    }
    case PLIST_ARRAY: {
        if (depth > maxDepth) {
            return std::nullopt;
        }
        PropertyListValue::Array items;
        const std::uint32_t size = plist_array_get_size(node);
        items.reserve(size);
        for (std::uint32_t i = 0; i < size; ++i) {
            const plist_t item = plist_array_get_item(node, i);
            auto value = item != nullptr ? convert(item, depth + 1) : std::nullopt;
            if (!value) {
                return std::nullopt;
            }
            items.push_back(std::move(*value));
        }
        return PropertyListValue(std::move(items));
    }
    case PLIST_DICT: {
        if (depth > maxDepth) {
            return std::nullopt;
        }
        plist_dict_iter rawIterator = nullptr;
        plist_dict_new_iter(node, &rawIterator);
        const std::unique_ptr<void, FreeDeleter> iterator(rawIterator);
        if (!iterator) {
            return std::nullopt;
        }
        PropertyListValue::Dictionary entries;
        while (true) {
            char* rawKey = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, iterator.get(), &rawKey, &item);
            const std::unique_ptr<char, FreeDeleter> key(rawKey);
            if (item == nullptr) {
                break;
            }
            auto value = key ? convert(item, depth + 1) : std::nullopt;
            if (!value) {
                return std::nullopt;
            }
            entries.emplace_back(validUtf8(key.get()), std::move(*value));
        }
        return PropertyListValue(std::move(entries));
    }
    default:
        return std::optional<PropertyListValue>(std::in_place);
    }
}

std::optional<PropertyListValue> convertTree(plist_t raw) {
    const PlistPtr tree(raw);
    if (!tree) {
        return std::nullopt;
    }
    return convert(tree.get(), 1);
}

std::optional<PropertyListValue> parseBinary(std::string_view bytes) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max() || !binaryShapeIsSafe(bytes)) {
        return std::nullopt;
    }
    plist_t tree = nullptr;
    plist_from_bin(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &tree);
    return convertTree(tree);
}

std::optional<PropertyListValue> parseXml(std::string_view document) {
    if (document.size() > std::numeric_limits<std::uint32_t>::max() ||
        !xmlNestingIsBounded(document)) {
        return std::nullopt;
    }
    plist_t tree = nullptr;
    plist_from_xml(document.data(), static_cast<std::uint32_t>(document.size()), &tree);
    return convertTree(tree);
}

std::optional<PropertyListValue> parseText(std::string_view utf8) {
    if (const auto document = xmlDocument(utf8)) {
        return parseXml(*document);
    }
    return PlainTextPropertyListParser::parse(utf8);
}

std::optional<PropertyListValue> parseBytes(std::string_view bytes) {
    if (bytes.starts_with(binaryMagic)) {
        return parseBinary(bytes);
    }
    // `.strings` files are often UTF-16; an XML plist may be too.
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        const bool bigEndian = bytes[0] == '\xFE';
        return parseText(utf16ToUtf8(bytes.substr(2), bigEndian));
    }
    return parseText(bytes);
}

} // namespace

std::optional<PropertyListValue> PropertyListReader::parse(std::string_view bytes) {
    try {
        return parseBytes(bytes);
    } catch (const std::exception&) {
        // Only allocation can throw; absurd input must not take the caller down.
        return std::nullopt;
    }
}

} // namespace tiklo
