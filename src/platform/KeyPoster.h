#pragma once

#include <cstdint>
#include <string_view>

namespace tiklo {

// Posts synthetic keyboard events into the focused application. Every event posted is
// marked as Tiklo's own, so the keyboard monitor reports it as synthetic.
class KeyPoster {
public:
    virtual ~KeyPoster() = default;

    // A key by virtual key code (51 is Delete, that is BackSpace).
    virtual void postKey(std::uint16_t keyCode, bool down) = 0;
    // A keyboard event carrying text: at most 20 UTF-16 code units, possibly ending inside
    // a surrogate pair (the rest follows in the next chunk).
    virtual void postText(std::u16string_view chunk, bool down) = 0;
};

} // namespace tiklo
