// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerShortcuts.h"

#include "core/KeyNames.h"

namespace tiklo {
namespace {

Key ctrlDigit(int digit) {
    return {keysym::digit(digit), Modifier::ctrl, digit};
}

} // namespace

QString PickerShortcuts::insertAt(int digit) const {
    return QString::fromStdString(KeyNames::format(ctrlDigit(digit)));
}

QString PickerShortcuts::insertRange() const {
    return insertAt(firstDigit) + QChar(u'\u2013') +
           QString::fromStdString(KeyNames::keyName(keysym::digit(lastDigit)));
}

} // namespace tiklo
