#pragma once

#include "catalog/EmojiItem.h"

#include <fcitx/inputcontextproperty.h>

#include <string>
#include <vector>

namespace tiklo {

// Semicolon search in one input context: open or not, the prefix and query typed so far (in
// the field's preedit, not yet in the document) and the ranked results shown.
class SearchState : public fcitx::InputContextProperty {
public:
    bool active = false;
    std::string prefix;
    std::string query;
    // No key has come since the prefix.
    bool firstKey = true;
    std::vector<const EmojiItem*> results;
    // The preedit is shown by the field itself, not only in fcitx's popup.
    bool clientPreedit = false;

    std::string literal() const { return prefix + query; }
    void close() {
        active = false;
        prefix.clear();
        query.clear();
        firstKey = true;
        results.clear();
        clientPreedit = false;
    }
};

} // namespace tiklo
