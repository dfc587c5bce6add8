// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerSession.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"
#include "ui/theme/ThemeIconProvider.h"

#include <QDir>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>

#include <gtest/gtest.h>

// Readable failures for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tiklo {
namespace {

using C = EmojiCategory;
using Section = PickerContentModel::Section;

// Every item drawn under `root`, depth first: what repeaters and loaders made is found by
// following the drawing tree, not the object tree.
void collect(QQuickItem* root, std::vector<QQuickItem*>& into) {
    for (QQuickItem* child : root->childItems()) {
        into.push_back(child);
        collect(child, into);
    }
}

// Twenty emoji over eight categories (only the hands take a skin tone), with two symbols and
// three kaomoji.
std::vector<EmojiItem> pickerItems() {
    const auto other = [](ItemKind kind, const char* text, const char* name, const char* id,
                          const char* group) {
        return EmojiItem{text, name, id, C::symbols, {}, false, kind, group};
    };
    return {
        other(ItemKind::symbol, "\u2192", "rightwards arrow", "symbol_2192", "arrows"),
        other(ItemKind::symbol, "\u20AC", "euro", "symbol_20ac", "currency"),
        other(ItemKind::kaomoji, "(^_^)", "smile", "kaomoji_smile", "joy"),
        other(ItemKind::kaomoji, "\u00AF\\_(\u30C4)_/\u00AF", "shrug", "kaomoji_shrug", "shrug"),
        other(ItemKind::kaomoji, "\u30FD(\u30C4)\uFF89", "cheerful shrug", "kaomoji_shrug_2",
              "shrug"),
        {"\U0001F600", "grinning face", "grinning", C::smileys, {"smile"}, false},
        {"\U0001F602", "face with tears of joy", "joy", C::smileys, {"laugh"}, false},
        {"\U0001F914", "thinking face", "thinking", C::smileys, {"hmm"}, false},
        {"\U0001F60D", "smiling face with heart-eyes", "heart_eyes", C::smileys, {"love"}, false},
        {"\U0001F44D", "thumbs up", "thumbsup", C::people, {"yes"}, true},
        {"\U0001F64F", "folded hands", "pray", C::people, {"please"}, true},
        {"\U0001F44B", "waving hand", "wave", C::people, {"hello"}, true},
        {"\U0001F436", "dog face", "dog", C::animals, {"pet"}, false},
        {"\U0001F431", "cat face", "cat", C::animals, {"pet"}, false},
        {"\U0001F355", "pizza", "pizza", C::food, {"cheese"}, false},
        {"\U0001F34E", "red apple", "apple", C::food, {"fruit"}, false},
        {"\U0001F354", "hamburger", "hamburger", C::food, {"burger"}, false},
        {"\U0001F525", "fire", "fire", C::travel, {"hot"}, false},
        {"\U0001F680", "rocket", "rocket", C::travel, {"space"}, false},
        {"\U0001F4A1", "light bulb", "bulb", C::objects, {"idea"}, false},
        {"\u2764\uFE0F", "red heart", "heart", C::symbols, {"love"}, false},
        {"\u2728", "sparkles", "sparkles", C::symbols, {"magic"}, false},
        {"\u2705", "check mark button", "white_check_mark", C::symbols, {"done"}, false},
        {"\U0001F3F3\uFE0F\u200D\U0001F308", "rainbow flag", "rainbow_flag", C::flags, {}, false},
        {"\U0001F1E9\U0001F1EA", "flag: Germany", "de", C::flags, {"germany"}, false},
    };
}

// The full picker in the picker window's host view, over the real session and store, drawn
// offscreen; what was typed and hidden is counted.
class PickerViewTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    PickerViewTest() : catalog(pickerItems(), [] { return 800000000.0; }) {
        session.setPresentationMode(view::Presentation::Full);
        ThemeIconProvider::install(*view.engine());
        view.setInitialProperties({{"session", QVariant::fromValue<QObject*>(&session)},
                                   {"appState", QVariant::fromValue<QObject*>(&state)},
                                   {"inUse", true}});
        view.setResizeMode(QQuickView::SizeViewToRootObject);
        session.refreshResults();
        view.setSource(QUrl("qrc:/qt/qml/Tiklo/Picker/PickerHostView.qml"));
    }

    // Shows the view and waits until the search field has the keyboard.
    bool show() {
        for (const auto& error : view.errors()) {
            ADD_FAILURE() << error.toString().toStdString();
        }
        view.show();
        view.requestActivate();
        QQuickItem* field = item("searchField");
        return QTest::qWaitForWindowActive(&view) && field &&
               QTest::qWaitFor([field] { return field->hasActiveFocus(); }, 2000);
    }
    void type(const char* text) {
        for (; *text; ++text) {
            QTest::keyClick(&view, *text);
        }
    }
    // The window's picture, saved under the build folder as `name`.png, or `name`@2x.png at
    // scale 2.
    QImage grab(const QString& name) {
        QTest::qWait(250); // scroll animation, icon loads
        const QImage image = view.grabWindow();
        const qreal scale = view.devicePixelRatio();
        const QString path =
            QDir(TIKLO_UI_SCREENSHOT_DIR)
                .filePath(name + (scale == 1 ? QString() : QString("@%1x").arg(scale)) + ".png");
        EXPECT_TRUE(image.save(path)) << path.toStdString();
        return image;
    }
    // A visible item of the full picker, by its object name.
    QQuickItem* item(const QString& name) const {
        QQuickItem* picker =
            view.rootObject() ? view.rootObject()->findChild<QQuickItem*>("pickerView") : nullptr;
        if (picker == nullptr) {
            return nullptr;
        }
        std::vector<QQuickItem*> all;
        collect(picker, all);
        const auto shown = std::ranges::find_if(all, [&](QQuickItem* candidate) {
            return candidate->objectName() == name && candidate->isVisible();
        });
        return shown != all.end() ? *shown : picker->findChild<QQuickItem*>(name);
    }
    // A menu of the full picker: no drawn item until it opens.
    QObject* popup(const char* name) const {
        return view.rootObject()->findChild<QObject*>("pickerView")->findChild<QObject*>(name);
    }
    // Lets the list lay out what changed.
    static void settle() { QTest::qWait(30); }
    static bool opened(QObject* popup) {
        return QTest::qWaitFor([popup] { return popup->property("opened").toBool(); });
    }
    static bool closed(QObject* popup) {
        return QTest::qWaitFor([popup] { return !popup->property("visible").toBool(); });
    }
    // A menu's entry by its place in the menu.
    static QQuickItem* menuEntry(QObject* menu, int index) {
        QQuickItem* entry = nullptr;
        QMetaObject::invokeMethod(menu, "itemAt", Q_RETURN_ARG(QQuickItem*, entry),
                                  Q_ARG(int, index));
        return entry;
    }

    // The tiles or rows of a section as they are laid out, left to right and top to bottom,
    // from the rows the content list has built (pooled ones left out).
    std::vector<QQuickItem*> emojiOf(Section section) const {
        std::vector<QQuickItem*> found;
        QQuickItem* list = item("emojiList")->property("contentItem").value<QQuickItem*>();
        for (QQuickItem* row : list->childItems()) {
            if (!row->property("kind").isValid() || !row->isVisible() ||
                row->property("pooled").toBool() ||
                row->property("section").toInt() != static_cast<int>(section)) {
                continue;
            }
            std::vector<QQuickItem*> all;
            collect(row, all);
            std::ranges::copy_if(all, std::back_inserter(found), [](QQuickItem* child) {
                return child->property("item").isValid() && child->property("selected").isValid();
            });
        }
        std::ranges::sort(found, [](QQuickItem* a, QQuickItem* b) {
            const QPointF pa = a->mapToScene({}), pb = b->mapToScene({});
            return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
        });
        return found;
    }
    QQuickItem* emojiWithShortcode(Section section, const QString& code) const {
        const std::vector<QQuickItem*> emoji = emojiOf(section);
        const auto found = std::ranges::find_if(emoji, [&](QQuickItem* tile) {
            return tile->property("item").toMap().value("shortcode") == code;
        });
        return found != emoji.end() ? *found : nullptr;
    }
    void click(QQuickItem* target, Qt::MouseButton button = Qt::LeftButton, QPointF at = {}) {
        ASSERT_NE(target, nullptr);
        if (at.isNull()) {
            at = {target->width() / 2, target->height() / 2};
        }
        QTest::mouseClick(&view, button, {}, target->mapToScene(at).toPoint());
    }

    EmojiCatalog catalog;
    test::FakeTextInjector injector;
    PickerSession session{
        {[this]() -> const EmojiCatalog& { return catalog; }, state, history, injector}};
    int hides = 0;
    const QMetaObject::Connection hidden =
        QObject::connect(&session, &PickerSession::hideRequested, [this] { ++hides; });
    QQuickView view;
};

// The full picker is made on its first showing, not for the popup; it is kept while the window
// is in use and let go once the window has been unused for a while.
TEST_F(PickerViewTest, TheFullPickerIsMadeWhenFirstWantedAndLetGoWhenUnused) {
    const auto made = [this] {
        QTest::qWait(0);
        return view.rootObject()->findChild<QQuickItem*>("pickerView") != nullptr;
    };
    const auto letGo = [this] {
        return QTest::qWaitFor(
            [this] { return view.rootObject()->findChild<QQuickItem*>("pickerView") == nullptr; });
    };
    QQuickItem* root = view.rootObject();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(made());
    root->setProperty("inUse", false);
    EXPECT_TRUE(letGo()) << "an unused window keeps the full picker";

    session.setPresentationMode(view::Presentation::Inline);
    root->setProperty("inUse", true);
    EXPECT_FALSE(made()) << "the popup made the full picker";
    session.setPresentationMode(view::Presentation::Full);
    EXPECT_TRUE(made());
    session.setPresentationMode(view::Presentation::Inline);
    EXPECT_TRUE(made()) << "the full picker is made again for each showing";

    // Let go while the popup was last shown, it is made again for the next full picker.
    root->setProperty("inUse", false);
    EXPECT_TRUE(letGo());
    session.setPresentationMode(view::Presentation::Full);
    root->setProperty("inUse", true);
    ASSERT_TRUE(show());
    type("pizza");
    settle();
    EXPECT_NE(emojiWithShortcode(Section::Results, "pizza"), nullptr);
}

// Each button stands for its own category, and choosing one puts the selection first. The
// grid shows the eight columns that Down and Up move by, and a switch of layout keeps the
// selection. In the list a row's star marks a favorite without inserting; the rest of the row
// inserts.
TEST_F(PickerViewTest, CategoriesFilterTheLayoutSwitchKeepsTheSelectionAndRowsHaveAStar) {
    ASSERT_TRUE(show());
    const QStringList buttons{"Smileys", "People",  "Animals", "Food", "Activity",
                              "Travel",  "Objects", "Symbols", "Flags"};
    for (int i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(buttons[i].toStdString());
        session.setSelectedIndex(2);
        click(item("category" + buttons[i]));
        settle();
        EXPECT_EQ(session.category(), static_cast<view::Category>(i));
        EXPECT_EQ(session.selectedIndex(), 0);
        EXPECT_EQ(
            session.resultCount(),
            std::ranges::count(catalog.all(), static_cast<EmojiCategory>(i), &EmojiItem::category));
    }

    click(item("categoryAll"));
    session.setSelectedIndex(9);
    settle();
    const std::vector<QQuickItem*> tiles = emojiOf(Section::Results);
    ASSERT_GE(tiles.size(), 10u);
    EXPECT_TRUE(tiles[9]->property("selected").toBool());
    EXPECT_EQ(tiles[9]->mapToScene({}).x(), tiles[1]->mapToScene({}).x());
    EXPECT_EQ(tiles[7]->mapToScene({}).y(), tiles[0]->mapToScene({}).y());

    click(item("layoutList"));
    settle();
    EXPECT_EQ(state.pickerMode(), view::PickerMode::List);
    EXPECT_EQ(session.selectedIndex(), 9);

    type("flag");
    settle();
    QQuickItem* row = emojiWithShortcode(Section::Results, "de");
    ASSERT_NE(row, nullptr);
    click(row->findChild<QQuickItem*>("favoriteStar"));
    settle();
    EXPECT_TRUE(state.favorites().contains("de"));
    EXPECT_TRUE(injector.replaced.empty()) << "the star does not insert";
    row = emojiWithShortcode(Section::Results, "de");
    click(row, Qt::LeftButton, {20, row->height() / 2});
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(injector.replaced[0].text, "\U0001F1E9\U0001F1EA");
    EXPECT_EQ(hides, 1);
}

// Each tab lists its kind under a header per group, with no emoji categories, and searches only
// that kind; kaomoji take a third of a row, are named by their names, and their tile menu
// inserts them Markdown-escaped.
TEST_F(PickerViewTest, TabsListTheirKindInGroupsAndKaomojiInWideTiles) {
    ASSERT_TRUE(show());
    // The headers shown, top to bottom.
    const auto titles = [&] {
        std::vector<QQuickItem*> all;
        collect(item("emojiList"), all);
        std::erase_if(all, [](QQuickItem* title) {
            return title->objectName() != "sectionTitle" || !title->isVisible() ||
                   title->parentItem()->parentItem()->property("pooled").toBool();
        });
        std::ranges::sort(all, {}, [](QQuickItem* title) { return title->mapToScene({}).y(); });
        std::vector<QString> found;
        for (QQuickItem* title : all) {
            found.push_back(title->property("text").toString());
        }
        return found;
    };
    click(item("kindSymbols"));
    settle();
    EXPECT_EQ(session.kind(), view::Kind::SymbolKind);
    EXPECT_EQ(titles(), (std::vector<QString>{"Arrows", "Currency"}));
    EXPECT_EQ(item("searchPlaceholder")->property("text"), "Search symbols");
    grab("symbols_tab");
    EXPECT_FALSE(item("categoryAll")->isVisible());
    // The sidebar lists the groups, each by its first symbol, and leads to its header.
    PickerContentModel& content = *session.contentModel();
    const int currency = content.rowOfGroup("currency");
    ASSERT_GE(currency, 0);
    EXPECT_EQ(content.data(content.index(currency), PickerContentModel::TitleRole), "Currency");
    ASSERT_NE(item("group_currency"), nullptr);
    EXPECT_EQ(item("group_currency")->property("sample"), "\u20AC");
    click(item("group_currency"));

    click(item("kindKaomoji"));
    settle();
    EXPECT_EQ(titles(), (std::vector<QString>{"Joy", "Shrug"}));
    grab("kaomoji_tab");
    std::vector<QQuickItem*> tiles = emojiOf(Section::Results);
    ASSERT_EQ(tiles.size(), 3u);
    const qreal third = (item("emojiList")->width() - 2 * 16 - 2 * 8) / 3;
    EXPECT_NEAR(tiles[0]->width(), third, 1);
    EXPECT_EQ(tiles[1]->mapToScene({}).y(), tiles[2]->mapToScene({}).y());
    EXPECT_EQ(tiles[1]->property("item").toMap().value("label"), "shrug");

    type("shrug");
    settle();
    EXPECT_EQ(session.resultCount(), 2);
    click(emojiWithShortcode(Section::Results, "kaomoji_shrug"), Qt::RightButton);
    QObject* menu = popup("tileMenu");
    ASSERT_TRUE(opened(menu));
    click(menu->findChild<QQuickItem*>("escapedMenuItem"));
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(injector.replaced[0].text, "\u00AF\\\\\\_(\u30C4)\\_/\u00AF");

    session.setKind(view::Kind::EmojiKind);
    session.setSearchText("");
    settle();
    EXPECT_TRUE(item("categoryAll")->isVisible());
    EXPECT_EQ(session.resultCount(), static_cast<int>(catalog.all().size()));
}

// The tile menu marks a favorite (its insertion keeping the picker open is the full picker's
// desktop test's); only an emoji that takes a tone offers one there, and the tone chosen shows on
// its tile and goes with "Use Default Tone". A plain click inserts and closes.
TEST_F(PickerViewTest, TheTileMenuMarksFavoritesAndTonesOneEmoji) {
    ASSERT_TRUE(show());
    type("pizza");
    settle();
    QObject* menu = popup("tileMenu");
    QObject* toneMenu = popup("emojiToneMenu");
    ASSERT_TRUE(menu && toneMenu);
    const auto openMenu = [&](const char* shortcode) {
        click(emojiWithShortcode(Section::Results, shortcode), Qt::RightButton);
        ASSERT_TRUE(opened(menu));
    };
    const auto entry = [](QObject* in, const char* name) {
        return in->findChild<QQuickItem*>(name);
    };

    openMenu("pizza");
    grab("tile_menu");
    click(entry(menu, "favoriteMenuItem"));
    EXPECT_TRUE(closed(menu));
    EXPECT_TRUE(state.favorites().contains("pizza"));
    EXPECT_TRUE(injector.replaced.empty());

    openMenu("pizza");
    // Pizza takes no tone: its tone entry is greyed.
    EXPECT_FALSE(entry(menu, "skinToneMenuItem")->isEnabled());
    click(entry(menu, "favoriteMenuItem"));
    EXPECT_TRUE(closed(menu));
    EXPECT_FALSE(state.favorites().contains("pizza"));

    // Resting on a tile shows its shortcode between colons.
    QQuickItem* pizzaTile = emojiWithShortcode(Section::Results, "pizza");
    ASSERT_NE(pizzaTile, nullptr);
    QTest::mouseMove(&view, pizzaTile->mapToScene({pizzaTile->width() / 2, 10}).toPoint());
    QObject* tip = popup("tileToolTip");
    ASSERT_NE(tip, nullptr);
    const auto tipText = [tip] { return tip->property("text").toString(); };
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return tip->property("visible").toBool() && tipText() == ":pizza:";
    })) << tipText().toStdString();
    grab("tile_tooltip");

    session.setSearchText("thumbs");
    settle();
    const auto openToneMenu = [&] {
        openMenu("thumbsup");
        EXPECT_TRUE(entry(menu, "skinToneMenuItem")->isEnabled());
        click(entry(menu, "skinToneMenuItem"));
        ASSERT_TRUE(opened(toneMenu));
    };
    // Settled as a person meets them: a menu laid out earlier must still reach every entry.
    QTest::qWait(200);
    openToneMenu();
    ASSERT_FALSE(HasFatalFailure());
    grab("tone_menu");
    EXPECT_FALSE(entry(toneMenu, "useDefaultToneMenuItem")->isEnabled());
    click(menuEntry(toneMenu, 5)); // the tones in the menu's order, the sixth Dark
    EXPECT_TRUE(closed(toneMenu));
    EXPECT_EQ(state.skinToneFor("\U0001F44D"), SkinTone::dark);
    EXPECT_EQ(emojiWithShortcode(Section::Results, "thumbsup")->property("item").toMap()["emoji"],
              QString::fromUtf8("\U0001F44D\U0001F3FF"));
    EXPECT_TRUE(injector.replaced.empty());

    openToneMenu();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(entry(toneMenu, "useDefaultToneMenuItem")->isEnabled());
    click(entry(toneMenu, "useDefaultToneMenuItem"));
    EXPECT_TRUE(closed(toneMenu));
    EXPECT_TRUE(state.emojiSkinTones().empty());

    click(emojiWithShortcode(Section::Results, "thumbsup"));
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(injector.replaced[0].text, "\U0001F44D");
    EXPECT_EQ(hides, 1);
}

// Each tone of the menu reaches the hands of every section, recents and favorites too, and only
// them. Also run at scale 2 (QT_SCALE_FACTOR=2).
TEST_F(PickerViewTest, TheToneMenuRetonesEveryEmojiOfEverySection) {
    ASSERT_TRUE(show());
    state.setRecents({"wave", "fire", "gone_from_the_catalog", "pizza", "joy"});
    state.setFavorites({"pray", "cat", "unknown", "fire"});
    session.refreshResults();

    const QStringList modifiers{"",           "\U0001F3FB", "\U0001F3FC",
                                "\U0001F3FD", "\U0001F3FE", "\U0001F3FF"};
    QObject* menu = item("skinToneButton")->findChild<QObject*>("skinToneMenu");
    ASSERT_NE(menu, nullptr);
    for (int tone = static_cast<int>(modifiers.size()) - 1; tone >= 0; --tone) {
        click(item("skinToneButton"));
        ASSERT_TRUE(opened(menu));
        if (tone == 0) {
            grab("skin_tone_menu");
        }
        click(menuEntry(menu, tone));
        EXPECT_TRUE(closed(menu));
        EXPECT_EQ(static_cast<int>(state.defaultSkinTone()), tone);
        EXPECT_EQ(item("skinToneSample")->property("text").toString(),
                  "\U0001F44D" + modifiers[tone]);
        for (const Section section : {Section::Recent, Section::Favorites, Section::Results}) {
            for (QQuickItem* tile : emojiOf(section)) {
                const std::string id =
                    tile->property("item").toMap()["id"].toString().toStdString();
                const EmojiItem& emoji = *catalog.itemsByID().at(id);
                EXPECT_EQ(tile->findChild<QQuickItem*>("tileEmoji")->property("text").toString(),
                          EmojiResultsModel::displayText(emoji.emoji) +
                              (emoji.supportsSkinTone ? modifiers[tone] : QString()))
                    << id;
            }
        }
    }
}

} // namespace
} // namespace tiklo
