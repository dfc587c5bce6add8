// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/DefaultsPlist.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>

#include <plist/plist.h>

namespace tiklo::test {
namespace {

using Plist = std::unique_ptr<void, decltype(&plist_free)>;

// The file's dictionary, or nothing.
Plist load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string xml{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    plist_t root = nullptr;
    if (!xml.empty()) {
        plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &root);
    }
    Plist dictionary(root, plist_free);
    if (root != nullptr && plist_get_node_type(root) != PLIST_DICT) {
        dictionary.reset();
    }
    return dictionary;
}

plist_t item(const Plist& dictionary, const std::string& key, plist_type type) {
    plist_t node = dictionary ? plist_dict_get_item(dictionary.get(), key.c_str()) : nullptr;
    return node != nullptr && plist_get_node_type(node) == type ? node : nullptr;
}

} // namespace

std::optional<bool> storedBool(const std::filesystem::path& file, const std::string& key) {
    const Plist dictionary = load(file);
    plist_t node = item(dictionary, key, PLIST_BOOLEAN);
    uint8_t value = 0;
    if (node == nullptr) {
        return std::nullopt;
    }
    plist_get_bool_val(node, &value);
    return value != 0;
}

std::optional<std::string> storedData(const std::filesystem::path& file, const std::string& key) {
    const Plist dictionary = load(file);
    plist_t node = item(dictionary, key, PLIST_DATA);
    if (node == nullptr) {
        return std::nullopt;
    }
    char* bytes = nullptr;
    uint64_t length = 0;
    plist_get_data_val(node, &bytes, &length);
    std::string value(bytes != nullptr ? bytes : "", bytes != nullptr ? length : 0);
    std::free(bytes);
    return value;
}

bool storeOnboarded(const std::filesystem::path& file) {
    Plist dictionary = load(file);
    if (!dictionary) {
        dictionary.reset(plist_new_dict());
    }
    plist_dict_set_item(dictionary.get(), "didCompleteOnboarding", plist_new_bool(1));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(dictionary.get(), &xml, &length);
    if (xml == nullptr) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(xml, length);
    plist_to_xml_free(xml);
    out.close();
    return !error && out.good();
}

} // namespace tiklo::test
