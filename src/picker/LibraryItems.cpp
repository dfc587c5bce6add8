// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/LibraryItems.h"

#include <algorithm>

namespace tiklo {
namespace {

template <typename Ids>
std::vector<const EmojiItem*> known(const EmojiCatalog& catalog, const Ids& ids) {
    std::vector<const EmojiItem*> items;
    for (const std::string& id : ids) {
        if (const EmojiItem* item = catalog.item(id)) {
            items.push_back(item);
        }
    }
    return items;
}

} // namespace

std::vector<const EmojiItem*> LibraryItems::favorites(const EmojiCatalog& catalog,
                                                      const std::unordered_set<std::string>& ids) {
    std::vector<const EmojiItem*> items = known(catalog, ids);
    std::stable_sort(items.begin(), items.end(),
                     [](const EmojiItem* a, const EmojiItem* b) { return a->name < b->name; });
    return items;
}

std::vector<const EmojiItem*> LibraryItems::recents(const EmojiCatalog& catalog,
                                                    const std::vector<std::string>& ids) {
    return known(catalog, ids);
}

} // namespace tiklo
