// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace tiklo::test {

// Tiklo's settings file as the tests write it before a launch and read it afterwards,
// through libplist rather than the program's own reader.
class DefaultsPlist {
public:
    DefaultsPlist();

    // Nothing when the file is missing or not an XML property list holding a dictionary.
    static std::optional<DefaultsPlist> load(const std::filesystem::path& file);
    // Writes the XML form, creating the folder; false on failure.
    bool save(const std::filesystem::path& file) const;

    void setBool(const std::string& key, bool value);
    std::optional<bool> boolValue(const std::string& key) const;
    std::optional<std::string> dataValue(const std::string& key) const;

private:
    struct NodeDeleter {
        void operator()(void* node) const;
    };
    explicit DefaultsPlist(void* root);

    std::unique_ptr<void, NodeDeleter> root_;
};

} // namespace tiklo::test
