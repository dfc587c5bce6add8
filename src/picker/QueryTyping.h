// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picker/PickerKeyRouting.h"
#include "platform/KeyStroke.h"

#include <string>
#include <vector>

namespace tiklo {

// How the query after the prefix came to be: typed ahead into the application before the
// popup had the keyboard, then key by key into the popup's field. From it, what to give the
// application when the popup gives way, so that it holds what was typed, as typed.
class QueryTyping {
public:
    struct GiveBack {
        int deletes = 0;             // characters typed ahead to take back first
        std::string text;            // then typed as text
        std::vector<KeyStroke> keys; // or typed again as the keys that typed it
    };

    // A new prefix: nothing typed yet.
    void restart();
    // The prefix and what followed it were replaced (an emoji chosen): the popup's field
    // starts anew, though keys have come.
    void prefixReplaced();

    // Characters that reached the application ahead of the popup.
    void typedAhead(const std::string& text);
    // A key of the popup (classified as `key`) as it was routed.
    void routed(const PickerKeyEvent& event, const QueryKey& key,
                const PickerKeyDecision& decision);
    // The field's text changed.
    void fieldChanged() { firstKey_ = false; }

    // No key has come since the prefix.
    bool firstKey() const { return firstKey_; }

    GiveBack giveBack(const std::string& query) const;

private:
    std::string typedAhead_;
    bool firstKey_ = true;
    // The keys that typed into the field, and what they typed, while nothing but typing
    // happened there.
    std::vector<KeyStroke> fieldKeys_;
    std::string fieldText_;
    bool onlyTyped_ = true;
};

} // namespace tiklo
