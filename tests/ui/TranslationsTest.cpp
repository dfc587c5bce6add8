// SPDX-License-Identifier: GPL-3.0-or-later
// The windows in the user's language: German texts read from the live windows, and
// translation tables without gaps.
#include "ui/Translations.h"
#include "app/AppExceptions.h"
#include "app/HotkeyRegistration.h"
#include "app/updates/UpdaterController.h"
#include "catalog/SkinTone.h"
#include "picker/PickerSession.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"
#include "support/TempDir.h"
#include "ui/FakeSoftwareUpdater.h"
#include "ui/OnboardingWindowController.h"
#include "ui/SettingsWindowController.h"
#include "ui/TrayMenu.h"
#include "ui/UpdateDialogs.h"
#include "ui/settings/SettingsBackend.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

Q_IMPORT_QML_PLUGIN(Tiklo_SessionPlugin)
Q_IMPORT_QML_PLUGIN(Tiklo_PickerPlugin)

// Readable failures for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tiklo {
namespace {

// What a window shows as text: every visible item's text, title, subtitle, label and
// placeholder, depth first along the drawing tree (where repeaters put their items).
void collectTexts(QQuickItem* item, QStringList& into) {
    if (!item->isVisible()) {
        return;
    }
    for (const char* name : {"text", "title", "subtitle", "label", "placeholderText"}) {
        const QVariant value = item->property(name);
        if (value.typeId() == QMetaType::QString && !value.toString().isEmpty()) {
            into.append(value.toString());
        }
    }
    for (QQuickItem* child : item->childItems()) {
        collectTexts(child, into);
    }
}

QStringList shownTexts(QQuickWindow& window) {
    QTest::qWait(50); // bindings of items made on showing
    QStringList texts;
    collectTexts(window.contentItem(), texts);
    return texts;
}

QStringList menuTexts(QMenu& menu) {
    QStringList texts;
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator()) {
            texts.append(action->text());
        }
    }
    return texts;
}

// Checks that every one of `expected` is among `shown`.
void expectShown(const QStringList& shown, const QStringList& expected) {
    for (const QString& text : expected) {
        EXPECT_TRUE(shown.contains(text))
            << text.toStdString() << " is not among " << shown.join(" | ").toStdString();
    }
}

std::vector<EmojiItem> items() {
    using C = EmojiCategory;
    return {
        {"\U0001F600", "grinning face", "grinning", C::smileys, {}, false},
        {"\U0001F44D", "thumbs up", "thumbsup", C::people, {}, true},
        {"\U0001F355", "pizza", "pizza", C::food, {}, false},
        {"\U0001F354", "hamburger", "hamburger", C::food, {}, false},
        {"\U0001F34E", "red apple", "apple", C::food, {}, false},
        {"\U0001F34F", "green apple", "green_apple", C::food, {}, false},
        {"\U0001F680", "rocket", "rocket", C::travel, {}, false},
    };
}

class TranslationsTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    void SetUp() override {
        ThemeIconProvider::install(engine);
        state.setAccessibilityGranted(false);
        state.setRecents({"pizza", "rocket"});
        state.setFavorites({"thumbsup"});
    }

    // The picker window's content in one presentation, shown.
    std::unique_ptr<QQuickView> picker(view::Presentation presentation) {
        session.setPresentationMode(presentation);
        session.setQuery("");
        session.refreshResults();
        auto view = std::make_unique<QQuickView>(&engine, nullptr);
        view->setInitialProperties({{"session", QVariant::fromValue<QObject*>(&session)},
                                    {"appState", QVariant::fromValue<QObject*>(&state)}});
        view->setResizeMode(QQuickView::SizeViewToRootObject);
        view->setSource(QUrl("qrc:/qt/qml/Tiklo/Picker/PickerHostView.qml"));
        EXPECT_NE(view->rootObject(), nullptr) << "the picker did not load";
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        return view;
    }

    void search(const char* query) {
        session.setQuery(query);
        session.refreshResults();
    }

    QQmlEngine engine;
    EmojiCatalog catalog{items(), [] { return 800000000.0; }};
    AppExceptions exceptions{state, workspace};
    HotkeyRegistration registration{state, hotkeys};
    SettingsBackend backend{{[this]() -> const EmojiCatalog& { return catalog; }, state, history,
                             exceptions, registration}};
    test::FakeTextInjector injector;
    PickerSession session{
        {[this]() -> const EmojiCatalog& { return catalog; }, state, history, injector}};
    test::FakeSoftwareUpdater fakeUpdater;
    UpdaterController updater{fakeUpdater};
};

TEST(TranslationsLocaleTest, TheMessagesLocaleNamesTheLanguage) {
    const std::vector<std::pair<std::string, QLocale::Language>> cases{
        {"de_DE.UTF-8", QLocale::German},  {"fr_CA.UTF-8@euro", QLocale::French},
        {"C", QLocale::English},           {"", QLocale::English},
        {"en_GB.UTF-8", QLocale::English}, {"../de", QLocale::English},
    };
    for (const auto& [name, language] : cases) {
        EXPECT_EQ(Translations::localeFor(name).language(), language) << name;
    }
    // German and French have tables to install (German is read from the windows below); English
    // is the sources' own.
    EXPECT_TRUE(Translations(Translations::localeFor("fr_FR.UTF-8")).translated());
    EXPECT_FALSE(Translations(Translations::localeFor("C")).translated());
}

// Every window takes the German table: one text each is enough to see the table reached it
// (the tables' completeness is the lupdate test below). The counts take their plural forms.
TEST_F(TranslationsTest, AGermanSessionSpeaksGermanInEveryWindow) {
    const Translations german(Translations::localeFor("de_DE.UTF-8"));
    ASSERT_TRUE(german.translated());

    TrayMenu tray(state, updater, {[] {}, [] {}, [] {}, [] {}, [] {}});
    expectShown(menuTexts(tray.menu()), {"Einstellungen"});
    UpdateDialogs dialogs;
    dialogs.askForAutomaticChecks([](bool) {});
    ASSERT_NE(dialogs.current(), nullptr);
    EXPECT_EQ(dialogs.current()->text(), "Automatisch nach Updates suchen?");
    // Qt's own buttons too, from Qt's catalogue.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");

    {
        const std::unique_ptr<QQuickView> full = picker(view::Presentation::Full);
        search("pizza");
        expectShown(shownTexts(*full), {"1 Ergebnis"});
        search("apple");
        ASSERT_EQ(session.resultCount(), 2);
        expectShown(shownTexts(*full), {"2 Ergebnisse"});
    }

    SettingsWindowController settings(engine, state, backend);
    settings.show();
    ASSERT_NE(settings.window(), nullptr);
    QQuickView& window = *settings.window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    expectShown(shownTexts(window), {"4 Emojis", "1 Emoji"});
    // The picture of the library page, for the README.
    window.rootObject()->setProperty("tab", "library");
    QTest::qWait(300); // icons and the mark's canvas
    const QImage image = window.grabWindow();
    const QString suffix = window.devicePixelRatio() > 1.5 ? "@2x" : "";
    const QString path = QDir(TIKLO_UI_SCREENSHOT_DIR).filePath("settings_de" + suffix + ".png");
    EXPECT_TRUE(image.save(path)) << path.toStdString();

    OnboardingWindowController welcome(engine, state);
    welcome.show();
    ASSERT_NE(welcome.window(), nullptr);
    EXPECT_EQ(welcome.window()->title(), "Willkommen bei Tiklo");
}

// One language's table: its messages by context and source, and what is wrong with them.
struct Table {
    QStringList messages;
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
    QString context, source;
    bool numerus = false;
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
            table.messages.append(context + " | " + source);
        } else if (xml.name() == u"translation") {
            const QString message = context + " | " + source;
            const QString type = xml.attributes().value("type").toString();
            if (!type.isEmpty()) {
                table.faults.append(type + ": " + message);
            }
            QStringList forms;
            if (numerus) {
                while (xml.readNextStartElement()) {
                    forms.append(xml.readElementText());
                }
            } else {
                forms.append(xml.readElementText());
            }
            for (const QString& form : forms) {
                if (form.trimmed().isEmpty()) {
                    table.faults.append("empty: " + message);
                }
                for (auto match = placeHolder.globalMatch(source); match.hasNext();) {
                    const QString held = match.next().captured();
                    if (!form.contains(held)) {
                        table.faults.append("without " + held + ": " + message);
                    }
                }
            }
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
    EXPECT_EQ(german.faults, QStringList()) << german.faults.join("\n").toStdString();
    EXPECT_EQ(french.faults, QStringList()) << french.faults.join("\n").toStdString();
    EXPECT_EQ(german.messages, french.messages);
    // The views' texts are there at all: over a hundred of them.
    EXPECT_GT(german.messages.size(), 100);

    // The titles looked up by their English text at run time are in the compiled catalogues.
    for (const char* language : {"de", "fr"}) {
        QTranslator catalogue;
        ASSERT_TRUE(catalogue.load(QString(":/i18n/tiklo_%1.qm").arg(language)));
        std::vector<std::string> shown;
        for (const EmojiCategory category : allEmojiCategories) {
            shown.emplace_back(rawValue(category));
        }
        for (const SkinTone tone : allSkinTones) {
            shown.emplace_back(label(tone));
        }
        for (const char* layout : {"Grid", "List"}) {
            shown.emplace_back(layout);
        }
        for (const std::string& english : shown) {
            EXPECT_FALSE(catalogue.translate("PickerChoices", english.c_str()).isEmpty())
                << language << ": " << english;
        }
    }
}

} // namespace
} // namespace tiklo
