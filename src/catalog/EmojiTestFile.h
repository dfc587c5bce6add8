#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tiklo {

// Reader of Unicode's emoji-test.txt ("code points ; status # comment" lines).
class EmojiTestFile {
public:
    // The fully-qualified entries as UTF-8 texts, in file order. Lines that do not parse
    // (bad hex, a code point out of range, a surrogate) are skipped.
    static std::vector<std::string> fullyQualified(std::string_view text);
};

} // namespace tiklo
