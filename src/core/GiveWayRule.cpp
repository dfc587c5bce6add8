// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GiveWayRule.h"

#include "catalog/Unicode.h"

#include <algorithm>

namespace tiklo {

GiveWayRule::Outcome GiveWayRule::outcome(const QueryState& state, const QueryKey& key,
                                          const WordRunIndex& wordRuns) {
    const std::string_view query = state.query;
    const auto givesWayIf = [](bool condition) {
        return condition ? Outcome::givesWay : Outcome::search;
    };
    switch (key.kind) {
    case QueryKey::Kind::tab:
        // No name holds a tab: it is indentation, or the next field.
        return Outcome::givesWay;
    case QueryKey::Kind::confirm:
        // Return right after the prefix ends a line; after a query that found nothing, it
        // ends a line of text that was never a search. After arrows it chooses.
        return givesWayIf(state.firstKey || (!query.empty() && state.resultCount == 0));
    case QueryKey::Kind::cancel:
        // Escape calls off the search, not the typing: nothing typed is lost.
        return Outcome::keepTyped;
    case QueryKey::Kind::text:
        break;
    default:
        // Choosing, editing, moving and shortcuts are the search's own business.
        return Outcome::search;
    }
    const std::u32string typed = unicode::scalars(key.text);
    // A space right after the prefix: "; " is punctuation and a space, whatever the texts.
    if (query.empty() && !typed.empty() &&
        std::all_of(typed.begin(), typed.end(), unicode::isWhiteSpace)) {
        return Outcome::givesWay;
    }
    // Letters and digits may be a typo on its way to being mended: the search goes on.
    if (!typed.empty() && std::all_of(typed.begin(), typed.end(), unicode::isAlphanumeric)) {
        return Outcome::search;
    }
    std::string grown(query);
    grown += key.text;
    return givesWayIf(!wordRuns.startsWordRun(grown));
}

} // namespace tiklo
