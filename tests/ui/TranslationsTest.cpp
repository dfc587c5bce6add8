// SPDX-License-Identifier: GPL-3.0-or-later
// The user's language: which table a locale takes, and translation tables without gaps (the
// German windows are WindowControllersTest's).
#include "ui/Translations.h"
#include "catalog/EmojiCategory.h"
#include "catalog/SkinTone.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

TEST(TranslationsLocaleTest, TheMessagesLocaleNamesTheLanguage) {
    const std::vector<std::pair<std::string, QLocale::Language>> cases{
        {"de_DE.UTF-8", QLocale::German},  {"fr_CA.UTF-8@euro", QLocale::French},
        {"C", QLocale::English},           {"", QLocale::English},
        {"en_GB.UTF-8", QLocale::English}, {"../de", QLocale::English},
    };
    for (const auto& [name, language] : cases) {
        EXPECT_EQ(Translations::localeFor(name).language(), language) << name;
    }
    // German and French have tables to install; English is the sources' own.
    EXPECT_TRUE(Translations(Translations::localeFor("fr_FR.UTF-8")).translated());
    EXPECT_FALSE(Translations(Translations::localeFor("C")).translated());
}

// One language's table: how many messages it has, and what is wrong with them.
struct Table {
    int messages = 0;
    QStringList faults;
};

// Reads a Qt Linguist file. A message is at fault when its translation is unfinished,
// vanished or empty (in any plural form), or drops a place holder of its source.
Table readTable(const QString& path) {
    Table table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        table.faults.append("cannot read " + path);
        return table;
    }
    static const QRegularExpression placeHolder("%[0-9n]");
    QXmlStreamReader xml(&file);
    QString context, source, message;
    bool numerus = false;
    const auto checkForm = [&](const QString& form) {
        if (form.trimmed().isEmpty()) {
            table.faults.append("empty: " + message);
        }
        for (auto match = placeHolder.globalMatch(source); match.hasNext();) {
            const QString held = match.next().captured();
            if (!form.contains(held)) {
                table.faults.append("without " + held + ": " + message);
            }
        }
    };
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            numerus = xml.attributes().value("numerus") == u"yes";
        } else if (xml.name() == u"source") {
            source = xml.readElementText();
            message = context + " | " + source;
            ++table.messages;
        } else if (xml.name() == u"translation") {
            const QString type = xml.attributes().value("type").toString();
            if (!type.isEmpty()) {
                table.faults.append(type + ": " + message);
            }
            if (!numerus) {
                checkForm(xml.readElementText());
            }
        } else if (xml.name() == u"numerusform") {
            checkForm(xml.readElementText());
        }
    }
    if (xml.hasError()) {
        table.faults.append(path + ": " + xml.errorString());
    }
    return table;
}

// The tables as the sources need them: lupdate brings copies of them up to date with every
// text in the sources, so a text added without a translation shows as unfinished.
TEST(TranslationTablesTest, EveryTextOfTheSourcesHasAFinishedGermanAndFrenchTranslation) {
    const test::TempDir folder;
    const QDir sources(TIKLO_SOURCE_DIR);
    QStringList copies;
    for (const char* language : {"de", "fr"}) {
        const QString name = QString("tiklo_%1.ts").arg(language);
        copies.append(QDir(QString::fromStdString(folder.path().string())).filePath(name));
        ASSERT_TRUE(QFile::copy(sources.filePath("src/ui/translations/" + name), copies.back()));
        QFile::setPermissions(copies.back(), QFile::ReadOwner | QFile::WriteOwner);
    }
    QProcess lupdate;
    lupdate.start(TIKLO_LUPDATE,
                  QStringList{sources.filePath("src/ui"), sources.filePath("src/picker"),
                              sources.filePath("src/app/updates"), "-I", sources.filePath("src"),
                              "-no-obsolete", "-locations", "none", "-ts"}
                      << copies);
    ASSERT_TRUE(lupdate.waitForFinished(60000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const Table german = readTable(copies[0]);
    const Table french = readTable(copies[1]);
    EXPECT_TRUE(german.faults.isEmpty()) << german.faults.join("\n").toStdString();
    EXPECT_TRUE(french.faults.isEmpty()) << french.faults.join("\n").toStdString();
    // The views' texts are there at all: over a hundred of them.
    EXPECT_GT(german.messages, 100);

    // The titles looked up by their English text at run time are in the compiled catalogues.
    for (const char* language : {"de", "fr"}) {
        QTranslator catalogue;
        ASSERT_TRUE(catalogue.load(QString(":/i18n/tiklo_%1.qm").arg(language)));
        std::vector<std::string> shown{"Grid", "List"};
        for (const EmojiCategory category : allEmojiCategories) {
            shown.emplace_back(rawValue(category));
        }
        for (const SkinTone tone : allSkinTones) {
            shown.emplace_back(label(tone));
        }
        for (const std::string& english : shown) {
            EXPECT_FALSE(catalogue.translate("PickerChoices", english.c_str()).isEmpty())
                << language << ": " << english;
        }
    }
}

} // namespace
} // namespace tiklo
