// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace tiklo {

// Tells whether libplist 2.2 can be given some bytes. It recurses once per nesting level (while
// reading binary lists, and while freeing, copying or writing any tree), copies a shared
// binary object at every reference to it, and aborts on some dictionary keys, so a small
// hostile file can overflow the stack, exhaust memory or end the process. Whatever passes
// here is safe to hand to it. Honest files pass unless nested deeper than maxDepth or, in
// binary, repeating shared text and data to more than 64 MiB beyond their own size.
class LibplistInputCheck {
public:
    // Containers nested deeper than this are refused in either format.
    static constexpr int maxDepth = 512;

    // An XML property list (the whole document) for plist_from_xml.
    static bool isSafeXml(std::string_view xml);
    // A binary property list ("bplist00" and on) for plist_from_bin.
    static bool isSafeBinary(std::string_view bytes);
};

} // namespace tiklo
