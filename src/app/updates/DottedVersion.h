// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <vector>

#include <QString>

namespace tiklo {

// A version made of numbers between dots, "1.2.10". Compared number by number, so 1.10 is
// newer than 1.9, and missing numbers count as zero, so 1.2 and 1.2.0 are the same version.
class DottedVersion {
public:
    // Nothing unless `text` is one or more runs of digits separated by single dots (spaces
    // around it are ignored).
    static std::optional<DottedVersion> parse(const QString& text);

    std::strong_ordering operator<=>(const DottedVersion& other) const;
    bool operator==(const DottedVersion& other) const;

private:
    explicit DottedVersion(std::vector<std::uint64_t> parts);

    // Without trailing zeros.
    std::vector<std::uint64_t> parts_;
};

} // namespace tiklo
