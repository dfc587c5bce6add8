// SPDX-License-Identifier: GPL-3.0-or-later
// Any sequence of keys, clicks and focus changes through semicolon search as an input method
// runs it: a fault here takes the user's input method down with it. Besides the sanitizers'
// checks, what the field ends up holding must be what the search says it committed.
#include "catalog/CatalogSources.h"
#include "core/InlineSearchSession.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace tiklo;

// Keys a keyboard sends while searching: typing (ASCII, a two-byte and a four-byte letter),
// line ends, editing and moving keys, digits by place, and the modifiers that change them.
constexpr KeySym keys[] = {';',
                           'f',
                           'i',
                           'r',
                           'e',
                           'a',
                           ' ',
                           ')',
                           '-',
                           ':',
                           '+',
                           '1',
                           '<',
                           0x010000e9,
                           0x0101f525,
                           keysym::returnKey,
                           keysym::keypadEnter,
                           keysym::tab,
                           keysym::isoLeftTab,
                           keysym::escape,
                           keysym::backSpace,
                           keysym::up,
                           keysym::down,
                           keysym::left,
                           keysym::pageUp,
                           keysym::pageDown,
                           keysym::home,
                           keysym::del,
                           keysym::digit(0),
                           keysym::keypadDigit(5),
                           0xffe1,
                           0xffe3};

std::string textOf(KeySym sym) {
    switch (sym) {
    case 0x010000e9:
        return "\u00e9";
    case 0x0101f525:
        return "\U0001F525";
    case keysym::returnKey:
    case keysym::keypadEnter:
        return "\r";
    case keysym::tab:
        return "\t";
    case keysym::escape:
        return "\x1b";
    case keysym::backSpace:
        return "\b";
    default:
        return sym < 0x80 ? std::string(1, static_cast<char>(sym)) : std::string();
    }
}

class Field : public InlineSearchView {
public:
    void showSearch() override {}
    void awaitPause(std::chrono::milliseconds /*pause*/) override {}
    void showCursor() override {}
    void hideSearch() override {}
    void commit(const std::string& text) override {
        if (text.empty()) {
            std::abort(); // an empty commit is never sent
        }
        document += text;
    }
    void openPicker(const std::optional<NamedGroup>&) override {}

    std::string document;
};

const EmojiCatalog& catalog() {
    static const EmojiCatalog english(CatalogSources::systemDefaults("en"));
    return english;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path settingsFile =
        std::filesystem::temp_directory_path() / "tiklo-session-fuzz" / "defaults.plist";
    SettingsFileWatch settings(settingsFile, {});
    Field field;
    InlineSearchSession session(
        settings, []() -> const EmojiCatalog& { return catalog(); }, field, [] { return 8.0e8; });
    session.setPickerAvailable(true);
    constexpr std::size_t keyCount = sizeof(keys) / sizeof(keys[0]);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const std::uint8_t what = data[i];
        const std::uint8_t how = data[i + 1];
        switch (what % 8) {
        case 0:
            session.leave((how & 1) != 0);
            break;
        case 1:
            // A click, or the pause after the prefix ending.
            if ((how & 0x80) != 0) {
                session.pauseEnded();
            } else {
                session.choose(how);
            }
            break;
        default: {
            const KeySym sym = keys[how % keyCount];
            Modifiers held;
            if ((what & 0x10) != 0) {
                held = held | Modifier::ctrl;
            }
            if ((what & 0x20) != 0) {
                held = held | Modifier::shift;
            }
            if ((what & 0x40) != 0) {
                held = held | Modifier::alt;
            }
            if ((what & 0x80) != 0) {
                held = held | Modifier::super;
            }
            const Key key(sym, held, (how >> 5) % 11);
            session.keyPressed(key, textOf(sym), {(what & 8) != 0 ? "tiklo" : "gedit", false});
        }
        }
        const std::size_t count = session.candidateCount();
        if (session.active() &&
            (session.preedit().empty() ||
             (count == 0 ? session.cursor() != 0 : session.cursor() >= count))) {
            std::abort();
        }
        if (session.active() && session.candidateCount() > 0) {
            session.candidate(session.cursor());
        }
    }
    return 0;
}
