// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/PropertyListReader.h"

#include "catalog/LibplistInputCheck.h"
#include "catalog/PlainTextPropertyListParser.h"
#include "catalog/Unicode.h"

#include <plist/plist.h>
#include <unicode/utf16.h>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <memory>
#include <string>
#include <utility>

namespace tiklo {

namespace {

constexpr int maxDepth = PlainTextPropertyListParser::maxDepth;
// Every format nests equally deep.
static_assert(maxDepth == LibplistInputCheck::maxDepth);
constexpr std::string_view binaryMagic = "bplist00";
constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

struct PlistDeleter {
    void operator()(void* node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

struct FreeDeleter {
    void operator()(void* memory) const { std::free(memory); }
};

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
            scalar = unicode::replacementCharacter;
        }
        unicode::appendUtf8(out, scalar);
    }
    if (bytes.size() % 2 != 0) {
        unicode::appendUtf8(out, unicode::replacementCharacter);
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

std::optional<PropertyListValue> convert(plist_t node, int depth) {
    switch (plist_get_node_type(node)) {
    case PLIST_STRING: {
        std::uint64_t length = 0;
        const char* data = plist_get_string_ptr(node, &length);
        if (data == nullptr) {
            return std::nullopt;
        }
        // libplist passes string bytes through unchecked.
        return PropertyListValue(unicode::sanitizeUtf8(std::string_view(data, length)));
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
            entries.emplace_back(unicode::sanitizeUtf8(key.get()), std::move(*value));
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
    if (!LibplistInputCheck::isSafeBinary(bytes)) {
        return std::nullopt;
    }
    plist_t tree = nullptr;
    plist_from_bin(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &tree);
    return convertTree(tree);
}

std::optional<PropertyListValue> parseXml(std::string_view document) {
    if (!LibplistInputCheck::isSafeXml(document)) {
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
