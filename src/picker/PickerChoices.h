// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiCategory.h"

#include <QObject>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

namespace tiklo {

// What the full picker offers to choose from, in order, as the views list them: the layouts,
// the categories of the sidebar and the skin tones of the tone menu, titled in the user's
// language.
class PickerChoices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // {mode, name, title}: "Grid", "List"; the name stays English, the title is shown.
    Q_PROPERTY(QVariantList layouts READ layouts CONSTANT)
    // {category, name, title, symbol}, without All; the name is the raw value.
    Q_PROPERTY(QVariantList categories READ categories CONSTANT)
    // {tone, sample, label, title}: the title is the sample, a space and the label.
    Q_PROPERTY(QVariantList skinTones READ skinTones CONSTANT)

public:
    using QObject::QObject;

    static QVariantList layouts();
    static QVariantList categories();
    static QVariantList skinTones();
    // The category's title in the user's language, where a view shows it.
    static QString categoryTitle(EmojiCategory category);
    // The thumbs-up in `tone` (an int of the view's skin tones).
    Q_INVOKABLE static QString toneSample(int tone);
};

} // namespace tiklo
