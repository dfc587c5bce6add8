#include "fcitx5/FcitxQueryKey.h"

#include <algorithm>
#include <string>
#include <utility>

namespace tiklo {
namespace {

// The digit row's keycodes (evdev + 8) for 1 to 9, whatever the layout types there.
constexpr int firstDigitRowCode = 10;
constexpr int lastDigitRowCode = 18;
constexpr int digitRowZeroCode = 19;

} // namespace

bool FcitxQueryKey::isShortcut(const fcitx::Key& key) {
    return key.states().testAny(fcitx::KeyStates{fcitx::KeyState::Ctrl, fcitx::KeyState::Alt,
                                                 fcitx::KeyState::Super, fcitx::KeyState::Super2});
}

QueryKey FcitxQueryKey::of(const fcitx::Key& key) {
    using Kind = QueryKey::Kind;
    if (isShortcut(key)) {
        return {Kind::other, {}};
    }
    switch (key.sym()) {
    case FcitxKey_Return:
    case FcitxKey_KP_Enter:
    case FcitxKey_Linefeed:
        return {Kind::confirm, {}};
    case FcitxKey_Tab:
    case FcitxKey_KP_Tab:
    case FcitxKey_ISO_Left_Tab:
        return {Kind::tab, {}};
    default:
        break;
    }
    const std::string text = fcitx::Key::keySymToUTF8(key.sym());
    constexpr unsigned char firstPrintable = 0x20;
    constexpr unsigned char deleteCharacter = 0x7f;
    const bool printable = !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < firstPrintable || byte == deleteCharacter;
    });
    return printable ? QueryKey{Kind::text, text} : QueryKey{Kind::other, {}};
}

int FcitxQueryKey::chooserDigit(const fcitx::Key& key) {
    const bool command =
        key.states().testAny(fcitx::KeyStates{fcitx::KeyState::Ctrl, fcitx::KeyState::Super,
                                              fcitx::KeyState::Super2}) &&
        !key.states().test(fcitx::KeyState::Alt);
    if (!command) {
        return 0;
    }
    if (key.code() >= firstDigitRowCode && key.code() <= lastDigitRowCode) {
        return key.code() - firstDigitRowCode + 1;
    }
    if (key.sym() >= FcitxKey_1 && key.sym() <= FcitxKey_9) {
        return key.sym() - FcitxKey_1 + 1;
    }
    if (key.sym() >= FcitxKey_KP_1 && key.sym() <= FcitxKey_KP_9) {
        return key.sym() - FcitxKey_KP_1 + 1;
    }
    return 0;
}

bool FcitxQueryKey::isHotkey(const fcitx::Key& typed, const Key& hotkey) {
    using fcitx::KeyState;
    fcitx::KeyStates states;
    const std::pair<Modifier, KeyState> modifiers[] = {{Modifier::ctrl, KeyState::Ctrl},
                                                       {Modifier::alt, KeyState::Alt},
                                                       {Modifier::shift, KeyState::Shift},
                                                       {Modifier::super, KeyState::Super}};
    for (const auto& [modifier, state] : modifiers) {
        if (hotkey.modifiers.has(modifier)) {
            states |= state;
        }
    }
    // GTK may report Super as its virtual Super only, which older fcitx5 does not match.
    const fcitx::Key key =
        typed.states().test(KeyState::Super2)
            ? fcitx::Key(typed.sym(), typed.states() | KeyState::Super, typed.code())
            : typed;
    if (key.code() != 0 && hotkey.sym >= keysym::digit(0) && hotkey.sym <= keysym::digit(9)) {
        const int digit = static_cast<int>(hotkey.sym - keysym::digit(0));
        const int code = digit == 0 ? digitRowZeroCode : firstDigitRowCode + digit - 1;
        return key.check(fcitx::Key::fromKeyCode(code, states));
    }
    // Both are X keysyms.
    return key.normalize().check(
        fcitx::Key(static_cast<fcitx::KeySym>(hotkey.sym), states).normalize());
}

} // namespace tiklo
