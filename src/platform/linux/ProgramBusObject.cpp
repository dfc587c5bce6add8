#include "platform/linux/ProgramBusObject.h"

#include <QMetaObject>

namespace tiklo {

void ProgramBusObject::OpenPicker() {
    if (!openPicker) {
        return;
    }
    // After the reply: the picker takes the keyboard, and fcitx5 is not kept waiting.
    QMetaObject::invokeMethod(
        this, [this] { openPicker(); }, Qt::QueuedConnection);
}

} // namespace tiklo
