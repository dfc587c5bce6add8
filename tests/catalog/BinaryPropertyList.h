// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Binary property lists from raw object encodings, for the shapes no honest writer makes.
#include <cstdint>
#include <string>
#include <vector>

namespace tiklo::test {

inline std::string bigEndian(std::uint64_t value, int width) {
    std::string out;
    for (int i = width - 1; i >= 0; --i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    return out;
}

// A reference to an object, 4 bytes wide.
inline std::string ref(std::uint64_t object) {
    return bigEndian(object, 4);
}

// A binary plist of `objects` (references and offsets 4 bytes wide); object 0 is the root.
inline std::string binaryPlist(const std::vector<std::string>& objects) {
    std::string out = "bplist00";
    std::string table;
    for (const std::string& object : objects) {
        table += bigEndian(out.size(), 4);
        out += object;
    }
    const std::size_t tableStart = out.size();
    out += table + std::string(6, '\0') + "\x04\x04" + bigEndian(objects.size(), 8) +
           bigEndian(0, 8) + bigEndian(tableStart, 8);
    return out;
}

} // namespace tiklo::test
