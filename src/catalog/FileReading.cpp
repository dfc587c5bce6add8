// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/FileReading.h"

#include <array>
#include <filesystem>
#include <fstream>

namespace tiklo {
namespace {

// Large blocks: the data files are hundreds of kilobytes, read on the catalog's cold path.
constexpr std::size_t readBlockSize = 64 * 1024;

} // namespace

std::optional<std::string> readWholeFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes;
    // Only a hint: the file may change while it is read, so read to the end regardless.
    if (const std::uintmax_t size = std::filesystem::file_size(path, error); !error) {
        bytes.reserve(static_cast<std::size_t>(size));
    }
    std::array<char, readBlockSize> block;
    while (in.read(block.data(), block.size()) || in.gcount() > 0) {
        bytes.append(block.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace tiklo
