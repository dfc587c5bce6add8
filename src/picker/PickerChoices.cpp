#include "picker/PickerChoices.h"

#include "app/ViewEnums.h"
#include "catalog/EmojiCategory.h"
#include "catalog/PickerMode.h"
#include "catalog/SkinTone.h"

#include <QVariantMap>

namespace tiklo {
namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QVariantList PickerChoices::layouts() {
    QVariantList list;
    for (const PickerMode mode : allPickerModes) {
        QString title = fromView(rawValue(mode));
        title[0] = title[0].toUpper();
        list.append(QVariantMap{{QStringLiteral("mode"), static_cast<int>(view::fromCatalog(mode))},
                                {QStringLiteral("title"), title}});
    }
    return list;
}

QVariantList PickerChoices::categories() {
    QVariantList list;
    for (const EmojiCategory category : allEmojiCategories) {
        list.append(
            QVariantMap{{QStringLiteral("category"), static_cast<int>(view::fromCatalog(category))},
                        {QStringLiteral("title"), fromView(rawValue(category))},
                        {QStringLiteral("symbol"), fromView(symbol(category))}});
    }
    return list;
}

QVariantList PickerChoices::skinTones() {
    QVariantList list;
    for (const SkinTone tone : allSkinTones) {
        const QString toneSample = QString::fromStdString(sample(tone));
        const QString toneLabel = fromView(label(tone));
        list.append(QVariantMap{{QStringLiteral("tone"), static_cast<int>(view::fromCatalog(tone))},
                                {QStringLiteral("sample"), toneSample},
                                {QStringLiteral("label"), toneLabel},
                                {QStringLiteral("title"), toneSample + u' ' + toneLabel}});
    }
    return list;
}

QString PickerChoices::toneSample(int tone) {
    if (tone < 0 || tone >= static_cast<int>(allSkinTones.size())) {
        return {};
    }
    return QString::fromStdString(sample(allSkinTones[static_cast<std::size_t>(tone)]));
}

} // namespace tiklo
