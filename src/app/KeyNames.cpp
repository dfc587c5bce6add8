#include "app/KeyNames.h"

#include <array>
#include <utility>

namespace tiklo {
namespace {

constexpr std::array<std::pair<Modifier, const char*>, 4> modifierNames{{
    {Modifier::ctrl, "Ctrl"},
    {Modifier::alt, "Alt"},
    {Modifier::shift, "Shift"},
    {Modifier::super, "Super"},
}};

constexpr std::array<std::pair<KeySym, const char*>, 3> namedKeys{{
    {keysym::space, "Space"},
    {keysym::returnKey, "Return"},
    {keysym::escape, "Esc"},
}};

// Upper-case letters have keysyms of their own (a shifted letter key), named alike.
constexpr KeySym upperA = 'A';
constexpr KeySym upperZ = 'Z';

} // namespace

std::string KeyNames::keyName(KeySym sym) {
    if (sym >= keysym::letter('a') && sym <= keysym::letter('z')) {
        return std::string(1, static_cast<char>(sym - keysym::letter('a') + 'A'));
    }
    if ((sym >= upperA && sym <= upperZ) || (sym >= keysym::digit(0) && sym <= keysym::digit(9))) {
        return std::string(1, static_cast<char>(sym));
    }
    for (const auto& [known, name] : namedKeys) {
        if (known == sym) {
            return name;
        }
    }
    return "?";
}

std::string KeyNames::format(const Key& key) {
    std::string text;
    for (const auto& [modifier, name] : modifierNames) {
        if (key.modifiers.has(modifier)) {
            text += name;
            text += '+';
        }
    }
    return text + keyName(key.sym);
}

} // namespace tiklo
