// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiCatalog.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace tiklo {

// The user's favorites and recents as the views show them: ids the catalog no longer knows
// are left out (the stored lists keep them), favorites by name, recents in stored order.
struct LibraryItems {
    static std::vector<const EmojiItem*> favorites(const EmojiCatalog& catalog,
                                                   const std::unordered_set<std::string>& ids);
    static std::vector<const EmojiItem*> recents(const EmojiCatalog& catalog,
                                                 const std::vector<std::string>& ids);
};

} // namespace tiklo
