// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ViewEnums.h"

#include <QObject>
#include <QSize>
#include <QtQml/qqmlregistration.h>

namespace tiklo {

// The picker window's size in each presentation: the controller sizes the window by it, the
// views lay themselves out by it.
class PanelSizes : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QSize inlinePopup READ inlinePopupSize CONSTANT)
    Q_PROPERTY(QSize full READ fullSize CONSTANT)

public:
    static constexpr QSize inlinePopup{420, 326};
    static constexpr QSize full{620, 470};

    using QObject::QObject;

    static constexpr QSize of(view::Presentation presentation) {
        return presentation == view::Presentation::Inline ? inlinePopup : full;
    }

    static QSize inlinePopupSize() { return inlinePopup; }
    static QSize fullSize() { return full; }
};

} // namespace tiklo
