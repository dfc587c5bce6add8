// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerContentModel.h"
#include "app/AppState.h"
#include "picker/NameHighlighter.h"
#include "picker/PickerChoices.h"
#include "picker/PickerSession.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Kind = PickerContentModel::RowKind;
using Section = PickerContentModel::Section;
using Role = PickerContentModel::Role;

// `count` items named "item 00"... with ids "i00"..., all objects.
std::vector<EmojiItem> items(int count) {
    std::vector<EmojiItem> list;
    for (int i = 0; i < count; ++i) {
        const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
        list.push_back({"e" + n, "item " + n, "i" + n, EmojiCategory::objects, {}, false});
    }
    return list;
}

class PickerContentModelTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    explicit PickerContentModelTest(int count = 17) : catalog(items(count), [] { return 8e8; }) {
        session.setPresentationMode(view::Presentation::Full);
        session.refreshResults();
    }

    struct Row {
        Kind kind;
        Section section;
        int first;
        int count;
        bool last;
        bool operator==(const Row&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const Row& row) {
            return out << "{" << static_cast<int>(row.kind) << "," << static_cast<int>(row.section)
                       << "," << row.first << "," << row.count << "," << row.last << "}";
        }
    };
    std::vector<Row> rows() const {
        std::vector<Row> list;
        const PickerContentModel& model = *content();
        for (int i = 0; i < model.rowCount(); ++i) {
            const QModelIndex index = model.index(i);
            list.push_back({static_cast<Kind>(model.data(index, Role::KindRole).toInt()),
                            static_cast<Section>(model.data(index, Role::SectionRole).toInt()),
                            model.data(index, Role::FirstIndexRole).toInt(),
                            static_cast<int>(model.data(index, Role::ItemsRole).toList().size()),
                            model.data(index, Role::LastInSectionRole).toBool()});
        }
        return list;
    }
    PickerContentModel* content() const {
        return const_cast<PickerSession&>(session).contentModel();
    }
    QVariantMap emoji(int row, int column) const {
        return content()->data(content()->index(row), Role::ItemsRole).toList()[column].toMap();
    }

    EmojiCatalog catalog;
    test::FakeTextInjector injector;
    PickerSession session{
        {[this]() -> const EmojiCatalog& { return catalog; }, state, history, injector}};
};

TEST_F(PickerContentModelTest, GridRowsHoldEightAndTheListOne) {
    // 17 results: 8, 8 and 1.
    EXPECT_EQ(rows(), (std::vector<Row>{{Kind::Header, Section::Results, 0, 0, false},
                                        {Kind::Emoji, Section::Results, 0, 8, false},
                                        {Kind::Emoji, Section::Results, 8, 8, false},
                                        {Kind::Emoji, Section::Results, 16, 1, true}}));
    // Each result's row, at and across the eight-wide boundaries.
    const std::vector<std::pair<int, int>> rowOf{{-1, -1}, {0, 1},  {7, 1},  {8, 2},
                                                 {15, 2},  {16, 3}, {17, -1}};
    for (const auto& [index, row] : rowOf) {
        EXPECT_EQ(content()->rowOfResult(index), row) << index;
    }

    state.setPickerMode(view::PickerMode::List);
    ASSERT_EQ(rows().size(), 18u);
    EXPECT_EQ(rows()[17], (Row{Kind::Emoji, Section::Results, 16, 1, true}));
    EXPECT_EQ(content()->rowOfResult(16), 17);
    EXPECT_EQ(emoji(17, 0)["index"], 16);
}

// Recents as stored and favorites by name, unknown ids left out (the section titles are read by
// the view test).
TEST_F(PickerContentModelTest, RecentsAndFavoritesLeadOnlyWithoutQueryOrCategory) {
    state.setRecents({"i03", "missing", "i01"});
    state.setFavorites({"i09", "i02", "gone", "i05"});
    EXPECT_EQ(rows(), (std::vector<Row>{{Kind::Header, Section::Recent, 0, 0, false},
                                        {Kind::Emoji, Section::Recent, 0, 2, true},
                                        {Kind::Header, Section::Favorites, 0, 0, false},
                                        {Kind::Emoji, Section::Favorites, 0, 3, true},
                                        {Kind::Header, Section::Results, 0, 0, false},
                                        {Kind::Emoji, Section::Results, 0, 8, false},
                                        {Kind::Emoji, Section::Results, 8, 8, false},
                                        {Kind::Emoji, Section::Results, 16, 1, true}}));
    EXPECT_EQ(emoji(1, 0)["id"], "i03");
    EXPECT_EQ(emoji(1, 1)["id"], "i01");
    // Favorites by name.
    EXPECT_EQ(emoji(3, 0)["id"], "i02");
    EXPECT_EQ(emoji(3, 1)["id"], "i05");
    EXPECT_EQ(emoji(3, 2)["id"], "i09");
    EXPECT_TRUE(emoji(3, 0)["favorite"].toBool());
    EXPECT_FALSE(emoji(1, 0)["favorite"].toBool());

    session.setSearchText("item 1");
    EXPECT_EQ(rows().front(), (Row{Kind::Header, Section::Results, 0, 0, false}));
    session.setSearchText("nothing like it");
    EXPECT_EQ(rows(), (std::vector<Row>{{Kind::Header, Section::Results, 0, 0, false},
                                        {Kind::Empty, Section::Results, 0, 0, true}}));
    session.setSearchText("");
    session.setCategory(view::Category::Objects);
    session.refreshResults();
    EXPECT_EQ(rows().front(), (Row{Kind::Header, Section::Results, 0, 0, false}));
}

TEST_F(PickerContentModelTest, ChangesReplaceOnlyTheRowsThatDiffer) {
    QSignalSpy resets(content(), &QAbstractItemModel::modelReset);
    QSignalSpy inserted(content(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(content(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(content(), &QAbstractItemModel::dataChanged);

    // A first favorite: its header and row come in before the results, which stay.
    history.toggleFavorite(catalog.all()[4]);
    EXPECT_EQ(resets.count(), 0);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 1);
    EXPECT_EQ(removed.count(), 0);

    // A new tone changes what the rows show, not the rows.
    inserted.clear();
    changed.clear();
    state.setDefaultSkinTone(view::SkinTone::Dark);
    EXPECT_EQ(inserted.count() + removed.count(), 0);
    EXPECT_EQ(changed.count(), 1);

    // While the inline popup shows, nothing is kept up.
    session.setPresentationMode(view::Presentation::Inline);
    changed.clear();
    state.setRecents({"i01"});
    EXPECT_EQ(changed.count() + inserted.count(), 0);
    session.setPresentationMode(view::Presentation::Full);
    EXPECT_EQ(rows().front(), (Row{Kind::Header, Section::Recent, 0, 0, false}));
    EXPECT_EQ(resets.count(), 0);
}

// The popup's rows set apart the first occurrence of the query, whatever its case and
// diacritics.
TEST(PickerContentModelNames, TheQueryIsMarkedIgnoringCaseAndDiacritics) {
    EXPECT_EQ(NameHighlighter::highlight("thumbs up", ":THUMBS_UP:"),
              (HighlightedName{"", "Thumbs up", ""}));
    EXPECT_EQ(NameHighlighter::highlight("red heart heart", " heart\n"),
              (HighlightedName{"Red ", "heart", " heart"}));
    EXPECT_EQ(NameHighlighter::highlight("piñata", "PINA"), (HighlightedName{"", "Piña", "ta"}));
    EXPECT_EQ(NameHighlighter::highlight("flag: Côte d’Ivoire", "cote"),
              (HighlightedName{"Flag: ", "Côte", " d’Ivoire"}));
    EXPECT_EQ(NameHighlighter::highlight("fire", "water"), (HighlightedName{"Fire", "", ""}));
    EXPECT_EQ(NameHighlighter::highlight("fire", "::"), (HighlightedName{"Fire", "", ""}));
    EXPECT_EQ(NameHighlighter::displayName("élan"), "Élan");
    EXPECT_EQ(NameHighlighter::displayName(""), "");
}

// The views hand back what a choice carries: each must name its own mode, category and tone.
TEST(PickerChoicesTest, EveryChoiceCarriesItsOwnValueInOrder) {
    const QVariantList layouts = PickerChoices::layouts();
    ASSERT_EQ(layouts.size(), 2);
    EXPECT_EQ(layouts[1].toMap()["mode"], static_cast<int>(view::PickerMode::List));
    const QVariantList categories = PickerChoices::categories();
    ASSERT_EQ(categories.size(), static_cast<int>(allEmojiCategories.size()));
    for (int i = 0; i < categories.size(); ++i) {
        EXPECT_EQ(categories[i].toMap()["category"], i);
    }
    const QVariantList skinTones = PickerChoices::skinTones();
    ASSERT_EQ(skinTones.size(), 6);
    for (int i = 0; i < skinTones.size(); ++i) {
        EXPECT_EQ(skinTones[i].toMap()["tone"], i);
    }
    // Out of range, as a view may ask: nothing, not a crash.
    EXPECT_EQ(PickerChoices::toneSample(-1), "");
    EXPECT_EQ(PickerChoices::toneSample(6), "");
}

} // namespace
} // namespace tiklo
