// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiCatalog.h"
#include "catalog/EmojiCategory.h"

#include <string_view>

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
    // {kind, name, title}: the tabs, Emoji, Kaomoji and Symbols.
    Q_PROPERTY(QVariantList kinds READ kinds CONSTANT)

public:
    using QObject::QObject;

    static QVariantList layouts();
    static QVariantList categories();
    static QVariantList skinTones();
    static QVariantList kinds();
    // The title of a symbol group or kaomoji category (an item's `group`) in the user's
    // language: CLDR's for symbol groups where it has one.
    static QString groupTitle(const EmojiCatalog& catalog, ItemKind kind, std::string_view group);
    // The category's title in the user's language, where a view shows it.
    static QString categoryTitle(EmojiCategory category);
    // The thumbs-up in `tone` (an int of the view's skin tones).
    Q_INVOKABLE static QString toneSample(int tone);
};

} // namespace tiklo
