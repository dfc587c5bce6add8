// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerChoices.h"

#include "app/ViewEnums.h"
#include "catalog/EmojiCategory.h"
#include "catalog/PickerMode.h"
#include "catalog/SkinTone.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include <QCoreApplication>
#include <QVariantMap>

namespace tiklo {
namespace {

constexpr const char* context = "PickerChoices";

// The English titles and labels the views show, for the translation tool; they are looked
// up by that text. The stored raw values are never translated.
[[maybe_unused]] constexpr const char* shownTexts[] = {
    QT_TRANSLATE_NOOP("PickerChoices", "Grid"),
    QT_TRANSLATE_NOOP("PickerChoices", "List"),
    QT_TRANSLATE_NOOP("PickerChoices", "Smileys"),
    QT_TRANSLATE_NOOP("PickerChoices", "People"),
    QT_TRANSLATE_NOOP("PickerChoices", "Animals"),
    QT_TRANSLATE_NOOP("PickerChoices", "Food"),
    QT_TRANSLATE_NOOP("PickerChoices", "Activity"),
    QT_TRANSLATE_NOOP("PickerChoices", "Travel"),
    QT_TRANSLATE_NOOP("PickerChoices", "Objects"),
    QT_TRANSLATE_NOOP("PickerChoices", "Symbols"),
    QT_TRANSLATE_NOOP("PickerChoices", "Flags"),
    QT_TRANSLATE_NOOP("PickerChoices", "Default"),
    QT_TRANSLATE_NOOP("PickerChoices", "Light"),
    QT_TRANSLATE_NOOP("PickerChoices", "Medium light"),
    QT_TRANSLATE_NOOP("PickerChoices", "Medium"),
    QT_TRANSLATE_NOOP("PickerChoices", "Medium dark"),
    QT_TRANSLATE_NOOP("PickerChoices", "Dark"),
    QT_TRANSLATE_NOOP("PickerChoices", "Emoji"),
    QT_TRANSLATE_NOOP("PickerChoices", "Kaomoji"),
    QT_TRANSLATE_NOOP("PickerChoices", "Punctuation"),
    QT_TRANSLATE_NOOP("PickerChoices", "Arrows"),
    QT_TRANSLATE_NOOP("PickerChoices", "Math"),
    QT_TRANSLATE_NOOP("PickerChoices", "Currency"),
    QT_TRANSLATE_NOOP("PickerChoices", "Geometric"),
    QT_TRANSLATE_NOOP("PickerChoices", "Bullets & stars"),
    QT_TRANSLATE_NOOP("PickerChoices", "Letterlike & technical"),
    QT_TRANSLATE_NOOP("PickerChoices", "Music"),
    QT_TRANSLATE_NOOP("PickerChoices", "Joy"),
    QT_TRANSLATE_NOOP("PickerChoices", "Love"),
    QT_TRANSLATE_NOOP("PickerChoices", "Sad"),
    QT_TRANSLATE_NOOP("PickerChoices", "Angry"),
    QT_TRANSLATE_NOOP("PickerChoices", "Surprise"),
    QT_TRANSLATE_NOOP("PickerChoices", "Shrug"),
    QT_TRANSLATE_NOOP("PickerChoices", "Table flip"),
    QT_TRANSLATE_NOOP("PickerChoices", "Greeting"),
    QT_TRANSLATE_NOOP("PickerChoices", "Hug"),
    QT_TRANSLATE_NOOP("PickerChoices", "Sleepy"),
    QT_TRANSLATE_NOOP("PickerChoices", "Dance"),
    QT_TRANSLATE_NOOP("PickerChoices", "Bear"),
    QT_TRANSLATE_NOOP("PickerChoices", "Cat"),
    QT_TRANSLATE_NOOP("PickerChoices", "Dog"),
    QT_TRANSLATE_NOOP("PickerChoices", "Smug"),
    QT_TRANSLATE_NOOP("PickerChoices", "Disapproval"),
    QT_TRANSLATE_NOOP("PickerChoices", "Embarrassed"),
    QT_TRANSLATE_NOOP("PickerChoices", "Other"),
};

// The tabs in the order they show.
constexpr std::array<ItemKind, 3> tabOrder{ItemKind::emoji, ItemKind::kaomoji, ItemKind::symbol};

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString translated(std::string_view english) {
    return QCoreApplication::translate(context, std::string(english).c_str());
}

} // namespace

QString PickerChoices::categoryTitle(EmojiCategory category) {
    return translated(rawValue(category));
}

QString PickerChoices::groupTitle(const EmojiCatalog& catalog, ItemKind kind,
                                  std::string_view group) {
    if (kind == ItemKind::symbol) {
        const std::optional<SymbolGroup> symbolGroup = symbolGroupFromRaw(group);
        if (!symbolGroup) {
            return {};
        }
        if (const std::string* local = catalog.localGroupTitle(*symbolGroup)) {
            // CLDR writes some in lower case ("flèches"); a title starts upper case.
            QString shown = QString::fromStdString(*local);
            shown[0] = shown[0].toUpper();
            return shown;
        }
        return translated(title(*symbolGroup));
    }
    // A kaomoji category's id, as a title: "table_flip" is "Table flip".
    std::string english(group);
    std::replace(english.begin(), english.end(), '_', ' ');
    if (!english.empty()) {
        english[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(english[0])));
    }
    return translated(english);
}

QVariantList PickerChoices::kinds() {
    QVariantList list;
    for (const ItemKind kind : tabOrder) {
        const std::string_view name = kind == ItemKind::emoji     ? "Emoji"
                                      : kind == ItemKind::kaomoji ? "Kaomoji"
                                                                  : "Symbols";
        list.append(QVariantMap{{QStringLiteral("kind"), static_cast<int>(kind)},
                                {QStringLiteral("name"), fromView(name)},
                                {QStringLiteral("title"), translated(name)}});
    }
    return list;
}

QVariantList PickerChoices::layouts() {
    QVariantList list;
    for (const PickerMode mode : allPickerModes) {
        std::string title(rawValue(mode));
        title[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
        list.append(QVariantMap{{QStringLiteral("mode"), static_cast<int>(view::fromCatalog(mode))},
                                {QStringLiteral("name"), QString::fromStdString(title)},
                                {QStringLiteral("title"), translated(title)}});
    }
    return list;
}

QVariantList PickerChoices::categories() {
    QVariantList list;
    for (const EmojiCategory category : allEmojiCategories) {
        list.append(
            QVariantMap{{QStringLiteral("category"), static_cast<int>(view::fromCatalog(category))},
                        {QStringLiteral("name"), fromView(rawValue(category))},
                        {QStringLiteral("title"), categoryTitle(category)},
                        {QStringLiteral("symbol"), fromView(symbol(category))}});
    }
    return list;
}

QVariantList PickerChoices::skinTones() {
    QVariantList list;
    for (const SkinTone tone : allSkinTones) {
        const QString toneSample = QString::fromStdString(sample(tone));
        const QString toneLabel = translated(label(tone));
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
