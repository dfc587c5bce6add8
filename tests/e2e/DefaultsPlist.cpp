// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/DefaultsPlist.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <plist/plist.h>

namespace tiklo::test {

void DefaultsPlist::NodeDeleter::operator()(void* node) const {
    plist_free(node);
}

DefaultsPlist::DefaultsPlist() : root_(plist_new_dict()) {}

DefaultsPlist::DefaultsPlist(void* root) : root_(root) {}

std::optional<DefaultsPlist> DefaultsPlist::load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string xml{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof()) {
        return std::nullopt;
    }
    if (xml.empty()) {
        return std::nullopt;
    }
    plist_t root = nullptr;
    plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &root);
    if (root == nullptr) {
        return std::nullopt;
    }
    if (plist_get_node_type(root) != PLIST_DICT) {
        plist_free(root);
        return std::nullopt;
    }
    return DefaultsPlist(root);
}

bool DefaultsPlist::save(const std::filesystem::path& file) const {
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root_.get(), &xml, &length);
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

void DefaultsPlist::setBool(const std::string& key, bool value) {
    plist_dict_set_item(root_.get(), key.c_str(), plist_new_bool(value ? 1 : 0));
}

std::optional<bool> DefaultsPlist::boolValue(const std::string& key) const {
    plist_t node = plist_dict_get_item(root_.get(), key.c_str());
    if (node == nullptr || plist_get_node_type(node) != PLIST_BOOLEAN) {
        return std::nullopt;
    }
    uint8_t value = 0;
    plist_get_bool_val(node, &value);
    return value != 0;
}

std::optional<std::string> DefaultsPlist::dataValue(const std::string& key) const {
    plist_t node = plist_dict_get_item(root_.get(), key.c_str());
    if (node == nullptr || plist_get_node_type(node) != PLIST_DATA) {
        return std::nullopt;
    }
    char* bytes = nullptr;
    uint64_t length = 0;
    plist_get_data_val(node, &bytes, &length);
    std::string value(bytes != nullptr ? bytes : "", bytes != nullptr ? length : 0);
    std::free(bytes);
    return value;
}

} // namespace tiklo::test
