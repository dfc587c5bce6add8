#include "ui/QtKeyTranslator.h"

#include <array>
#include <utility>

#include <QKeyEvent>

namespace tiklo {
namespace {

// Qt's keys outside Latin-1 that the picker routes, as keysyms.
constexpr std::array<std::pair<int, KeySym>, 9> routedKeys{{
    {Qt::Key_Return, keysym::returnKey},
    {Qt::Key_Tab, keysym::tab},
    {Qt::Key_Enter, keysym::keypadEnter},
    {Qt::Key_Escape, keysym::escape},
    {Qt::Key_Backspace, keysym::backSpace},
    {Qt::Key_Left, keysym::left},
    {Qt::Key_Right, keysym::right},
    {Qt::Key_Up, keysym::up},
    {Qt::Key_Down, keysym::down},
}};

// The modifier each modifier key changes (AltGr chooses characters and is none of them).
constexpr std::array<std::pair<int, Modifiers>, 7> modifierKeys{{
    {Qt::Key_Control, Modifier::ctrl},
    {Qt::Key_Meta, Modifier::super},
    {Qt::Key_Super_L, Modifier::super},
    {Qt::Key_Super_R, Modifier::super},
    {Qt::Key_Shift, Modifier::shift},
    {Qt::Key_Alt, Modifier::alt},
    {Qt::Key_AltGr, Modifiers{}},
}};

constexpr std::array<std::pair<Qt::KeyboardModifier, Modifier>, 4> qtModifiers{{
    {Qt::ControlModifier, Modifier::ctrl},
    {Qt::AltModifier, Modifier::alt},
    {Qt::ShiftModifier, Modifier::shift},
    {Qt::MetaModifier, Modifier::super},
}};

// Qt names Latin-1 keys by their upper-case character; keysyms name the key's lower case.
constexpr int latin1End = 0xff;

Modifiers modifiersOf(Qt::KeyboardModifiers held) {
    Modifiers modifiers;
    for (const auto& [qtModifier, modifier] : qtModifiers) {
        if (held.testFlag(qtModifier)) {
            modifiers = modifiers | modifier;
        }
    }
    return modifiers;
}

// `nativeKeysym`: the window system's own name for the key (0 when unknown), for the key Qt
// has no name of its own for.
KeySym keysymOf(int key, std::uint32_t nativeKeysym) {
    if (nativeKeysym == keysym::linefeed) {
        return keysym::linefeed;
    }
    if (key >= Qt::Key_Space && key <= latin1End) {
        return key >= Qt::Key_A && key <= Qt::Key_Z
                   ? keysym::letter(static_cast<char>(key - Qt::Key_A + 'a'))
                   : static_cast<KeySym>(key);
    }
    for (const auto& [qtKey, sym] : routedKeys) {
        if (qtKey == key) {
            return sym;
        }
    }
    return keysym::none;
}

} // namespace

PickerKeyEvent QtKeyTranslator::translate(const QKeyEvent& event, const KeyboardLayout* layout) {
    const int key = event.key();
    const bool press = event.type() == QEvent::KeyPress;
    const Modifiers modifiers = modifiersOf(event.modifiers());
    for (const auto& [modifierKey, changed] : modifierKeys) {
        if (modifierKey == key) {
            // X reports the modifiers as they were before this key changed them.
            return PickerKeyEvent{
                PickerKeyEvent::Type::modifiersChanged,
                {keysym::none, press ? modifiers.with(changed) : modifiers.without(changed)}};
        }
    }
    const KeyStroke stroke{event.nativeScanCode(), event.nativeModifiers(), press};
    if (!press) {
        return PickerKeyEvent{PickerKeyEvent::Type::keyUp,
                              {keysymOf(key, event.nativeVirtualKey()), modifiers},
                              {},
                              stroke};
    }
    Key translated{keysymOf(key, event.nativeVirtualKey()), modifiers};
    if (!event.modifiers().testFlag(Qt::KeypadModifier)) {
        const std::optional<int> place =
            layout != nullptr ? layout->digitRowNumber(event.nativeScanCode()) : std::nullopt;
        if (place) {
            translated.digitRow = *place;
        } else if (key >= Qt::Key_1 && key <= Qt::Key_9) {
            translated.digitRow = key - Qt::Key_0;
        }
    }
    return PickerKeyEvent{PickerKeyEvent::Type::keyDown, translated, event.text().toStdString(),
                          stroke};
}

} // namespace tiklo
