// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/updates/AppcastItem.h"

#include <optional>
#include <vector>

#include <QByteArray>

namespace tiklo {

// An update feed in the RSS "appcast" form: one <item> per release, each with its version
// (<sparkle:version>, or the enclosure's sparkle:version attribute), release notes
// (<description>) and download address (<link>, else the enclosure's url). Items without a
// dotted version or without an http(s) address are left out.
class Appcast {
public:
    // Nothing when the text is not well-formed RSS or offers no usable item.
    static std::optional<Appcast> parse(const QByteArray& xml);

    const std::vector<AppcastItem>& items() const { return items_; }
    // The item with the highest version (the first of equals, in feed order).
    const AppcastItem& newest() const;

private:
    std::vector<AppcastItem> items_;
};

} // namespace tiklo
