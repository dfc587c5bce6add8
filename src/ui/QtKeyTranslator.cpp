#include "ui/QtKeyTranslator.h"

#include "platform/KeyDown.h"

#include <array>
#include <utility>

#include <QKeyEvent>

namespace tiklo {
namespace {

constexpr std::array<std::pair<int, std::uint16_t>, 17> keyCodes{{
    {Qt::Key_Return, 36},
    {Qt::Key_Enter, 76},
    {Qt::Key_Escape, 53},
    {Qt::Key_Backspace, 51},
    {Qt::Key_Left, 123},
    {Qt::Key_Right, 124},
    {Qt::Key_Down, 125},
    {Qt::Key_Up, 126},
    {Qt::Key_1, 18},
    {Qt::Key_2, 19},
    {Qt::Key_3, 20},
    {Qt::Key_4, 21},
    {Qt::Key_5, 23},
    {Qt::Key_6, 22},
    {Qt::Key_7, 26},
    {Qt::Key_8, 28},
    {Qt::Key_9, 25},
}};

// Where Key_1 stands in the table; Key_2 to Key_9 follow.
constexpr std::size_t firstDigit = 8;
static_assert(keyCodes[firstDigit].first == Qt::Key_1 &&
              keyCodes[firstDigit + 8].first == Qt::Key_9);

bool isCommandKey(int key) {
    return key == Qt::Key_Control || key == Qt::Key_Meta || key == Qt::Key_Super_L ||
           key == Qt::Key_Super_R;
}

bool isModifierKey(int key) {
    return isCommandKey(key) || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_AltGr;
}

std::uint64_t flagsOf(Qt::KeyboardModifiers modifiers) {
    std::uint64_t flags = 0;
    if (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) {
        flags |= modifierFlags::command;
    }
    if (modifiers & Qt::ShiftModifier) {
        flags |= modifierFlags::shift;
    }
    if (modifiers & Qt::AltModifier) {
        flags |= modifierFlags::option;
    }
    return flags;
}

} // namespace

std::optional<PickerKeyEvent> QtKeyTranslator::translate(const QKeyEvent& event,
                                                         const KeyboardLayout* layout) {
    const int key = event.key();
    const bool press = event.type() == QEvent::KeyPress;
    if (isModifierKey(key)) {
        // X reports the modifiers as they were before this key changed them.
        std::uint64_t flags = flagsOf(event.modifiers());
        if (isCommandKey(key)) {
            flags = press ? flags | modifierFlags::command : flags & ~modifierFlags::command;
        }
        return PickerKeyEvent{PickerKeyEvent::Type::flagsChanged, otherKey, flags};
    }
    if (!press) {
        return std::nullopt;
    }
    // Keypad digits arrive with the keypad modifier; only the digit row is Command-digit.
    std::uint16_t code = otherKey;
    for (const auto& [qtKey, virtualCode] : keyCodes) {
        if (qtKey == key) {
            code = virtualCode;
            break;
        }
    }
    if (layout != nullptr && !(event.modifiers() & Qt::KeypadModifier)) {
        if (const std::optional<int> digit = layout->digitRowNumber(event.nativeScanCode())) {
            code = keyCodes[static_cast<std::size_t>(firstDigit + *digit - 1)].second;
        }
    }
    if (code != otherKey && key >= Qt::Key_1 && key <= Qt::Key_9 &&
        (event.modifiers() & Qt::KeypadModifier)) {
        code = otherKey;
    }
    return PickerKeyEvent{PickerKeyEvent::Type::keyDown, code, flagsOf(event.modifiers())};
}

} // namespace tiklo
