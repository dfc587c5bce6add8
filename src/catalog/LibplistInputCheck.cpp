// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/LibplistInputCheck.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace tiklo {

namespace {

constexpr auto npos = std::string_view::npos;
// Beyond the bytes of the file itself, how much text and data libplist may copy for objects
// that a binary list shares between several references.
constexpr std::uint64_t sharedPayloadAllowance = 64 * 1024 * 1024;

// libplist takes lengths as 32-bit counts.
bool fitsLengthType(std::string_view bytes) {
    return bytes.size() <= std::numeric_limits<std::uint32_t>::max();
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
            return pos == plain ? plain : npos;
        }
    }
    return npos;
}

std::uint64_t readBigEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// Binary object types: the high half of the marker byte that starts an object.
enum : unsigned {
    dataType = 0x4,
    asciiType,
    utf16Type,
    arrayType = 0xA,
    setType = 0xC,
    dictionaryType,
};

bool isContainer(unsigned type) {
    return type == arrayType || type == setType || type == dictionaryType;
}

bool hasPayload(unsigned type) {
    return type == dataType || type == asciiType || type == utf16Type;
}

} // namespace

// libplist reads XML without recursion but frees trees recursively, also when it gives up
// half-way, so deep nesting must be refused before it builds anything. The count errs high:
// whatever it skips, libplist skips too, and anything it cannot be sure of is refused.
bool LibplistInputCheck::isSafeXml(std::string_view xml) {
    if (!fitsLengthType(xml)) {
        return false;
    }
    // The <plist> element and a leaf below the deepest container.
    constexpr std::size_t limit = maxDepth + 2;
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

// Walks the object graph first, without recursion, and refuses anything out of bounds, too
// deep, or expanding beyond what the file could honestly hold. Every visit spends from the
// budgets, so the walk ends however the references loop.
bool LibplistInputCheck::isSafeBinary(std::string_view bytes) {
    constexpr std::size_t headerSize = 8;
    constexpr std::size_t trailerSize = 32;
    if (!fitsLengthType(bytes) || bytes.size() < headerSize + trailerSize) {
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

    struct Object {
        unsigned type = 0;
        // Where its references, text or data begin.
        std::size_t start = 0;
        // How many items, characters or bytes it holds.
        std::uint64_t count = 0;
    };
    // Nothing when the object, or its count, lies outside the object area.
    const auto objectAt = [&](std::uint64_t object) -> std::optional<Object> {
        const std::uint64_t offset =
            readBigEndian(bytes, tableStart + object * offsetWidth, offsetWidth);
        if (offset < headerSize || offset >= tableStart) {
            return std::nullopt;
        }
        const auto marker = static_cast<unsigned char>(bytes[offset]);
        Object found{static_cast<unsigned>(marker >> 4), static_cast<std::size_t>(offset + 1),
                     static_cast<std::uint64_t>(marker & 0x0F)};
        // A count too large for the marker follows it as an integer object.
        if (found.count == 0x0F && (isContainer(found.type) || hasPayload(found.type))) {
            if (found.start >= tableStart) {
                return std::nullopt;
            }
            const auto countMarker = static_cast<unsigned char>(bytes[found.start]);
            if ((countMarker >> 4) != 0x1 || (countMarker & 0x0F) > 3) {
                return std::nullopt;
            }
            const std::size_t width = std::size_t{1} << (countMarker & 0x0F);
            if (tableStart - (found.start + 1) < width) {
                return std::nullopt;
            }
            found.count = readBigEndian(bytes, found.start + 1, width);
            found.start += 1 + width;
        }
        return found;
    };

    // Honest writers share only leaves, so the tree has at most one node per reference, and
    // only repeated leaves make its text and data larger than the file.
    std::uint64_t nodeBudget = bytes.size();
    std::uint64_t payloadBudget = bytes.size() + sharedPayloadAllowance;
    struct Container {
        std::size_t references = 0;
        std::uint64_t count = 0;
        // A dictionary lists its keys before its values.
        std::uint64_t keys = 0;
        std::uint64_t next = 0;
    };
    std::vector<Container> path;

    // Checks one object and, for a container, makes it the next one to walk.
    const auto visit = [&](std::uint64_t object, bool isKey) {
        if (object >= objectCount || nodeBudget == 0) {
            return false;
        }
        --nodeBudget;
        const auto found = objectAt(object);
        if (!found) {
            return false;
        }
        if (hasPayload(found->type)) {
            const std::uint64_t unit = found->type == utf16Type ? 2 : 1;
            if (found->count > (tableStart - found->start) / unit ||
                found->count * unit > payloadBudget) {
                return false;
            }
            payloadBudget -= found->count * unit;
            // A key holding U+0000 trips an assertion in libplist or is cut short there.
            for (std::uint64_t i = 0; isKey && i < found->count; ++i) {
                const std::size_t at = found->start + i * unit;
                if (bytes[at] == '\0' && (unit == 1 || bytes[at + 1] == '\0')) {
                    return false;
                }
            }
        }
        if (isContainer(found->type)) {
            const std::uint64_t keys = found->type == dictionaryType ? found->count : 0;
            const std::uint64_t room = (tableStart - found->start) / referenceWidth;
            if (found->count > room || found->count + keys > room ||
                path.size() >= static_cast<std::size_t>(maxDepth)) {
                return false;
            }
            path.push_back({found->start, found->count + keys, keys, 0});
        }
        return true;
    };

    if (!visit(root, false)) {
        return false;
    }
    while (!path.empty()) {
        Container& top = path.back();
        if (top.next == top.count) {
            path.pop_back();
            continue;
        }
        const std::uint64_t child =
            readBigEndian(bytes, top.references + top.next * referenceWidth, referenceWidth);
        const bool isKey = top.next < top.keys;
        ++top.next;
        if (!visit(child, isKey)) {
            return false;
        }
    }
    return true;
}

} // namespace tiklo
