// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/QueryTyping.h"

#include "catalog/Unicode.h"

namespace tiklo {

void QueryTyping::restart() {
    prefixReplaced();
    firstKey_ = true;
}

void QueryTyping::prefixReplaced() {
    typedAhead_.clear();
    fieldKeys_.clear();
    fieldText_.clear();
    onlyTyped_ = true;
}

void QueryTyping::typedAhead(const std::string& text) {
    typedAhead_ += text;
    firstKey_ = false;
}

void QueryTyping::routed(const PickerKeyEvent& event, const QueryKey& key,
                         const PickerKeyDecision& decision) {
    if (event.type == PickerKeyEvent::Type::keyDown) {
        firstKey_ = false;
    }
    if (decision.swallow || decision.action == PickerKeyDecision::Action::giveWay || !onlyTyped_) {
        return;
    }
    if (event.type == PickerKeyEvent::Type::keyUp) {
        fieldKeys_.push_back(event.stroke);
        return;
    }
    if (event.type != PickerKeyEvent::Type::keyDown) {
        return;
    }
    if (key.kind != QueryKey::Kind::text) {
        // Editing, moving, a dead key: the keys no longer tell what the field holds.
        onlyTyped_ = false;
        return;
    }
    fieldKeys_.push_back(event.stroke);
    fieldText_ += key.text;
}

QueryTyping::GiveBack QueryTyping::giveBack(const std::string& query) const {
    // The application holds the prefix and what was typed ahead. Usually the query goes on
    // from there; if it was edited in the popup, what was typed ahead goes and the whole
    // query is typed.
    if (!query.starts_with(typedAhead_)) {
        return {static_cast<int>(unicode::scalars(typedAhead_).size()), query, {}};
    }
    std::string rest = query.substr(typedAhead_.size());
    if (onlyTyped_ && !rest.empty() && fieldText_ == rest) {
        // The keys themselves, as typed: what they type is the application's to decide, as if
        // the popup had never been there (and no keys are borrowed, so it is quicker).
        return {0, {}, fieldKeys_};
    }
    return {0, std::move(rest), {}};
}

} // namespace tiklo
