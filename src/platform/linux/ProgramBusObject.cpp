// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/ProgramBusObject.h"

#include <QMetaObject>

namespace tiklo {

void ProgramBusObject::later(const std::function<void()>& action) {
    if (!action) {
        return;
    }
    // After the reply: the window takes the keyboard, and the caller is not kept waiting.
    QMetaObject::invokeMethod(
        this, [action] { action(); }, Qt::QueuedConnection);
}

void ProgramBusObject::OpenPicker() {
    OpenPickerAt({}, {});
}

void ProgramBusObject::OpenPickerAt(const QString& kind, const QString& group) {
    if (openPicker) {
        later([open = openPicker, kind = kind.toStdString(), group = group.toStdString()] {
            open(kind, group);
        });
    }
}

void ProgramBusObject::ShowPicker() {
    later(showPicker);
}

void ProgramBusObject::ShowSettings() {
    later(showSettings);
}

} // namespace tiklo
