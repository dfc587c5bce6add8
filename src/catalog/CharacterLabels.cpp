// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/CharacterLabels.h"

#include "catalog/FileReading.h"
#include "catalog/Unicode.h"

#include <pugixml.hpp>

namespace tiklo {

std::optional<std::unordered_map<std::string, std::string>>
CharacterLabels::parse(std::string_view xml) {
    pugi::xml_document document;
    if (!document.load_buffer(xml.data(), xml.size())) {
        return std::nullopt;
    }
    const pugi::xml_node root = document.child("ldml");
    if (!root) {
        return std::nullopt;
    }
    std::unordered_map<std::string, std::string> labels;
    for (const pugi::xml_node label : root.child("characterLabels").children("characterLabel")) {
        std::string text = unicode::trimWhiteSpace(unicode::sanitizeUtf8(label.child_value()));
        if (!text.empty()) {
            labels.emplace(label.attribute("type").value(), std::move(text));
        }
    }
    return labels;
}

std::unordered_map<std::string, std::string>
CharacterLabels::load(const std::vector<std::string>& paths) {
    // A locale file is half a megabyte, of which the labels are a few kilobytes: only their
    // element is parsed, in an <ldml> of its own.
    constexpr std::string_view start = "<characterLabels>";
    constexpr std::string_view end = "</characterLabels>";
    std::unordered_map<std::string, std::string> labels;
    for (const std::string& path : paths) {
        const std::optional<std::string> bytes = readWholeFile(path);
        const std::size_t from = bytes ? bytes->find(start) : std::string::npos;
        const std::size_t to = from == std::string::npos ? from : bytes->find(end, from);
        if (to == std::string::npos) {
            continue;
        }
        const std::string element =
            "<ldml>" + bytes->substr(from, to + end.size() - from) + "</ldml>";
        if (auto parsed = parse(element)) {
            labels.merge(*parsed);
        }
    }
    return labels;
}

} // namespace tiklo
