#pragma once

#include <QObject>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

namespace tiklo {

// What the full picker offers to choose from, in order, as the views list them: the layouts,
// the categories of the sidebar and the skin tones of the tone menu.
class PickerChoices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // {mode, title}: "Grid", "List".
    Q_PROPERTY(QVariantList layouts READ layouts CONSTANT)
    // {category, title, symbol}, without All.
    Q_PROPERTY(QVariantList categories READ categories CONSTANT)
    // {tone, sample, label, title}: the title is the sample, a space and the label.
    Q_PROPERTY(QVariantList skinTones READ skinTones CONSTANT)

public:
    using QObject::QObject;

    static QVariantList layouts();
    static QVariantList categories();
    static QVariantList skinTones();
    // The thumbs-up in `tone` (an int of the view's skin tones).
    Q_INVOKABLE static QString toneSample(int tone);
};

} // namespace tiklo
