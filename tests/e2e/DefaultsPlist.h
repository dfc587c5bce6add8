// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tiklo::test {

// Tiklo's settings file as the tests write it before a launch and read it afterwards, through
// libplist rather than the program's own reader. A value is nothing when the file is missing,
// is not an XML property list holding a dictionary, or holds no value of that type at `key`.
std::optional<bool> storedBool(const std::filesystem::path& file, const std::string& key);
std::optional<std::string> storedData(const std::filesystem::path& file, const std::string& key);
// Adds a finished onboarding to the file, which it makes (with its folder) if need be.
bool storeOnboarded(const std::filesystem::path& file);

} // namespace tiklo::test
