// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtKeyTranslator.h"

#include "ui/QtKeys.h"

#include <array>
#include <utility>

#include <QKeyEvent>

namespace tiklo {
namespace {

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

} // namespace

PickerKeyEvent QtKeyTranslator::translate(const QKeyEvent& event, const KeyboardLayout* layout) {
    const int key = event.key();
    const bool press = event.type() == QEvent::KeyPress;
    const Modifiers modifiers = QtKeys::modifiersOf(event.modifiers());
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
                              {QtKeys::keysymOf(key, event.nativeVirtualKey()), modifiers},
                              {},
                              stroke};
    }
    Key translated{QtKeys::keysymOf(key, event.nativeVirtualKey()), modifiers};
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
