// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/WordRunIndex.h"
#include "core/QueryKey.h"

#include <cstddef>
#include <string_view>

namespace tiklo {

// Where semicolon search stands when a key comes.
struct QueryState {
    std::string_view query; // typed after the prefix so far
    std::size_t resultCount = 0;
    // No key has come since the prefix: this one is the first.
    bool firstKey = true;
};

// Whether a key typed after the prefix makes semicolon search give way: the prefix was
// punctuation, and the query with this key belongs in the document as typed. A ";" followed
// by a space, a line end, a wink or code stays what it is; only what can be a search is one.
// Every front end asks here, so what a person typed never depends on which one served them.
class GiveWayRule {
public:
    enum class Outcome {
        search,    // the key is the search's own
        givesWay,  // what was typed goes in as typed, and this key after it
        keepTyped, // what was typed goes in as typed; the key has done its work (Escape)
    };

    static Outcome outcome(const QueryState& state, const QueryKey& key,
                           const WordRunIndex& wordRuns);
    // For a key that types text: whether it makes the search give way.
    static bool givesWay(const QueryState& state, const QueryKey& key,
                         const WordRunIndex& wordRuns) {
        return outcome(state, key, wordRuns) == Outcome::givesWay;
    }
};

} // namespace tiklo
