// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/updates/DottedVersion.h"

#include <algorithm>

#include <QStringList>

namespace tiklo {
namespace {

// Enough for any real version, and far from overflowing a 64-bit number.
constexpr qsizetype maxDigits = 18;
constexpr qsizetype maxParts = 16;

} // namespace

DottedVersion::DottedVersion(std::vector<std::uint64_t> parts) : parts_(std::move(parts)) {
    while (!parts_.empty() && parts_.back() == 0) {
        parts_.pop_back();
    }
}

std::optional<DottedVersion> DottedVersion::parse(const QString& text) {
    const QStringList pieces = text.trimmed().split(u'.');
    if (pieces.size() > maxParts) {
        return std::nullopt;
    }
    std::vector<std::uint64_t> parts;
    for (const QString& piece : pieces) {
        const bool digitsOnly = std::all_of(piece.cbegin(), piece.cend(),
                                            [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (piece.isEmpty() || piece.size() > maxDigits || !digitsOnly) {
            return std::nullopt;
        }
        parts.push_back(piece.toULongLong());
    }
    return DottedVersion(std::move(parts));
}

std::strong_ordering DottedVersion::operator<=>(const DottedVersion& other) const {
    const std::size_t count = std::max(parts_.size(), other.parts_.size());
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t mine = i < parts_.size() ? parts_[i] : 0;
        const std::uint64_t theirs = i < other.parts_.size() ? other.parts_[i] : 0;
        if (mine != theirs) {
            return mine <=> theirs;
        }
    }
    return std::strong_ordering::equal;
}

bool DottedVersion::operator==(const DottedVersion& other) const {
    return parts_ == other.parts_;
}

} // namespace tiklo
