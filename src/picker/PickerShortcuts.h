// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace tiklo {

// The names of the picker's own shortcuts, as the views show them: Ctrl with a digit inserts
// one of the first nine results of the inline popup (Super works too; Ctrl is what Linux
// users reach for).
class PickerShortcuts : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    static constexpr int firstDigit = 1;
    static constexpr int lastDigit = 9;

    using QObject::QObject;

    // "Ctrl+1" for `digit` 1.
    Q_INVOKABLE QString insertAt(int digit) const;
    // "Ctrl+1–9".
    Q_INVOKABLE QString insertRange() const;
};

} // namespace tiklo
