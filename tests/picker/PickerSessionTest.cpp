// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerSession.h"
#include "app/AppState.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Type = PickerKeyEvent::Type;

std::vector<EmojiItem> twentyItems() {
    std::vector<EmojiItem> items;
    for (int i = 0; i < 20; ++i) {
        const std::string n = std::to_string(i);
        items.push_back({"e" + n, "item " + n, "item_" + n, EmojiCategory::objects, {}, false});
    }
    items[0] = {"\U0001F44D", "thumbs up", "thumbsup", EmojiCategory::people, {}, true};
    items[1] = {"\U0001F525", "fire", "fire", EmojiCategory::animals, {}, false};
    return items;
}

class PickerSessionTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    PickerSessionTest() {
        session.setTargetApp(RunningApplication{"gedit", 5, 6});
        session.setPresentationMode(view::Presentation::Inline);
        session.setReplacementBackspaces(1);
        session.refreshResults();
    }
    bool key(KeySym sym, bool grid = false) {
        return session.handleKey({Type::keyDown, {sym}}, grid);
    }
    // The key in `place` on the digit row, with Ctrl held.
    bool ctrlDigit(int place) {
        return session.handleKey({Type::keyDown, {keysym::digit(place), Modifier::ctrl, place}},
                                 false);
    }

    EmojiCatalog catalog{twentyItems(), [] { return 800000000.0; }};
    test::FakeTextInjector injector;
    PickerSession session{
        {[this]() -> const EmojiCatalog& { return catalog; }, state, history, injector}};
    int hides = 0;
    int heldBeforeHiding = 0;
    int beeps = 0;
    const QMetaObject::Connection hidden =
        QObject::connect(&session, &PickerSession::hideRequested, [this] {
            ++hides;
            heldBeforeHiding = injector.held;
        });
    const QMetaObject::Connection refused =
        QObject::connect(&session, &PickerSession::beepRequested, [this] { ++beeps; });
};

TEST_F(PickerSessionTest, SelectionClampsAtBothEndsAndMovesByRowsInTheGrid) {
    ASSERT_EQ(session.resultCount(), 20);
    session.moveSelection(-1);
    EXPECT_EQ(session.selectedIndex(), 0);
    session.moveSelection(100);
    EXPECT_EQ(session.selectedIndex(), 19);
    session.setSelectedIndex(3);
    key(keysym::down, true);
    EXPECT_EQ(session.selectedIndex(), 11);
    session.setSelectedIndex(15);
    key(keysym::down, true);
    EXPECT_EQ(session.selectedIndex(), 19);

    // Typing highlights the first result again.
    session.setSearchText("item");
    EXPECT_EQ(session.selectedIndex(), 0);
    session.setSearchText("nothing at all");
    EXPECT_EQ(session.resultCount(), 0);
    session.moveSelection(1);
    EXPECT_EQ(session.selectedIndex(), 0);
    // Return with no results beeps and stays open (in the popup it gives way, below).
    session.setPresentationMode(view::Presentation::Full);
    EXPECT_TRUE(key(keysym::returnKey));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(hides, 0);
    EXPECT_TRUE(injector.replaced.empty());
}

TEST_F(PickerSessionTest, ReturnRecordsHidesTypesAndThenDeletesNothingMore) {
    state.setDefaultSkinTone(view::SkinTone::Dark);
    state.setInsertSpaceAfterTrigger(true);
    session.setSearchText("thumbs");
    EXPECT_TRUE(key(keysym::returnKey));
    EXPECT_EQ(hides, 1);
    // The keys typed on are held before the picker goes, so none falls in between.
    EXPECT_EQ(heldBeforeHiding, 1);
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(injector.replaced[0].backspaces, 1);
    EXPECT_EQ(injector.replaced[0].text, "\U0001F44D\U0001F3FF ");
    EXPECT_EQ(injector.replaced[0].app->appID, "gedit");
    EXPECT_EQ(state.recents(), std::vector<std::string>{"thumbsup"});
    EXPECT_EQ(state.emojiUsage().at("\U0001F44D").count, 1);
    // The prefix is gone now: the query is cleared and a second choice deletes nothing.
    EXPECT_EQ(session.replacementBackspaces(), 0);
    EXPECT_EQ(session.query(), "");
    // A second choice with the picker kept open is typed on a real desktop by the full picker
    // tests.
}

TEST_F(PickerSessionTest, CtrlDigitsInsertWithoutMovingTheHighlight) {
    session.setSelectedIndex(4);
    // Ranked: fire and thumbs up by popularity, then by name ("item 10" before "item 2").
    EXPECT_TRUE(ctrlDigit(3));
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(injector.replaced[0].text, "e10");
    EXPECT_EQ(session.selectedIndex(), 4);

    session.setSearchText("fire");
    EXPECT_TRUE(ctrlDigit(3));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(injector.replaced.size(), 1u);

    EXPECT_FALSE(
        session.handleKey({Type::modifiersChanged, {keysym::none, Modifier::ctrl}}, false));
    EXPECT_TRUE(session.commandHeld());
}

TEST_F(PickerSessionTest, CancellingReactivatesTheTargetAndResets) {
    session.setCommandHeld(true);
    session.setSearchText("fi");
    EXPECT_FALSE(key(keysym::backSpace)); // Delete edits a non-empty query
    session.setSearchText("");
    EXPECT_TRUE(key(keysym::backSpace));
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(heldBeforeHiding, 1);
    ASSERT_EQ(injector.reactivated.size(), 1u);
    EXPECT_EQ(injector.reactivated[0]->appID, "gedit");
    EXPECT_TRUE(injector.replaced.empty());
    EXPECT_EQ(session.replacementBackspaces(), 0);
    EXPECT_FALSE(session.commandHeld());
    EXPECT_EQ(session.presentationMode(), view::Presentation::Inline); // left as is

    EXPECT_TRUE(key(keysym::escape));
    EXPECT_EQ(injector.reactivated.size(), 2u);
}

// A picker the input method asked for types through it, into the window that was active: a
// choice and a cancel both give that window the keyboard back, so that the keys typed
// meanwhile follow into it. The next showing types as usual again.
TEST_F(PickerSessionTest, APickerForTheInputMethodGoesThroughItUntilReset) {
    test::FakeTextInjector inputMethod;
    PickerSession throughIt{{[this]() -> const EmojiCatalog& { return catalog; }, state, history,
                             injector, &inputMethod}};
    const auto showFor = [&] {
        throughIt.reset();
        throughIt.setTargetApp(RunningApplication{"gedit", 5, 6});
        throughIt.setPresentationMode(view::Presentation::Full);
        throughIt.deliverThroughInputMethod();
        throughIt.setSearchText("fire");
    };
    showFor();
    EXPECT_TRUE(throughIt.handleKey({Type::keyDown, {keysym::returnKey}}, false));
    ASSERT_EQ(inputMethod.replaced.size(), 1u);
    EXPECT_EQ(inputMethod.replaced[0].text, "\U0001F525");
    ASSERT_TRUE(inputMethod.replaced[0].app);
    EXPECT_EQ(inputMethod.replaced[0].app->window, 6u);

    showFor();
    EXPECT_TRUE(throughIt.handleKey({Type::keyDown, {keysym::escape}}, false));
    ASSERT_EQ(inputMethod.reactivated.size(), 1u);
    ASSERT_TRUE(inputMethod.reactivated[0]);
    EXPECT_EQ(inputMethod.reactivated[0]->window, 6u);
    EXPECT_GE(inputMethod.held, 2);
    EXPECT_EQ(injector.held + injector.replaced.size() + injector.reactivated.size(), 0u);

    // Shown by the program's own shortcut: keys again.
    throughIt.reset();
    throughIt.setPresentationMode(view::Presentation::Full);
    throughIt.setSearchText("fire");
    throughIt.insertSelected();
    EXPECT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(inputMethod.replaced.size(), 1u);
}

// What was typed after the prefix goes to the application as typed, the key that ended the
// search after it (the key is not swallowed: the window passes it on), and nothing is learnt.
TEST_F(PickerSessionTest, PunctuationGivesWayWithTheQueryAsTypedAndLearnsNothing) {
    const auto type = [&](KeySym sym, const std::string& text) {
        return session.handleKey({Type::keyDown, {sym}, text}, false);
    };
    const auto lastGivenBack = [&] {
        return std::make_pair(injector.replaced.back().backspaces, injector.replaced.back().text);
    };
    session.setSearchText("thumbs");
    EXPECT_FALSE(type(')', ")"));
    EXPECT_EQ(hides, 1);
    EXPECT_EQ(heldBeforeHiding, 1);
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(lastGivenBack(), std::make_pair(0, std::string("thumbs")));
    EXPECT_EQ(injector.replaced[0].app->appID, "gedit");
    EXPECT_TRUE(state.recents().empty());
    EXPECT_TRUE(state.emojiUsage().empty());
    EXPECT_EQ(session.query(), "");
    EXPECT_EQ(session.replacementBackspaces(), 0);

    // Return after a query that found nothing is given back with it.
    session.setReplacementBackspaces(1);
    session.setSearchText("no such thing");
    ASSERT_EQ(session.resultCount(), 0);
    EXPECT_FALSE(type(keysym::returnKey, "\r"));
    EXPECT_EQ(lastGivenBack(), std::make_pair(0, std::string("no such thing")));
    EXPECT_EQ(beeps, 0);

    EXPECT_EQ(hides, 2);
    EXPECT_EQ(injector.held, 2);
}

// Typed into the popup's field, the query goes back as the keys that typed it, modifiers and
// all, ahead of the key that ended it (which the window passes on after them).
TEST_F(PickerSessionTest, TheQueryGoesBackAsTheKeysThatTypedIt) {
    // The field takes what passes, as the view would.
    const auto typeKey = [&](KeySym sym, const std::string& text, KeyStroke stroke,
                             Modifiers modifiers = {}) {
        const bool taken =
            session.handleKey({Type::keyDown, {sym, modifiers}, text, stroke}, false);
        if (!taken && hides == 0) {
            session.setSearchText(session.queryText() + QString::fromStdString(text));
        }
        return taken;
    };
    const auto letGo = [&](KeySym sym, KeyStroke stroke) {
        stroke.press = false;
        return session.handleKey({Type::keyUp, {sym}, {}, stroke}, false);
    };
    const KeyStroke shiftD{40, 1, true};
    const KeyStroke space{65, 0, true};
    EXPECT_FALSE(typeKey(keysym::letter('d'), "D", shiftD, Modifier::shift));
    EXPECT_FALSE(letGo(keysym::letter('d'), shiftD));
    ASSERT_EQ(session.query(), "D");
    EXPECT_FALSE(typeKey(keysym::space, " ", space));
    EXPECT_EQ(injector.forwarded, (std::vector<KeyStroke>{shiftD, {40, 1, false}}));
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(injector.replaced[0].text, "");
    EXPECT_EQ(injector.replaced[0].backspaces, 0);

    EXPECT_EQ(heldBeforeHiding, 1);
}

TEST_F(PickerSessionTest, ReturnRightAfterThePrefixEndsALineButAfterTheArrowsItChooses) {
    EXPECT_FALSE(key(keysym::returnKey));
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(injector.replaced[0].backspaces, 0);
    EXPECT_EQ(injector.replaced[0].text, "");
    EXPECT_TRUE(state.recents().empty());

    // The next showing starts with its first key again.
    session.setReplacementBackspaces(1);
    session.refreshResults();
    const std::string top = session.results().front()->emoji;
    EXPECT_TRUE(key(keysym::down));
    EXPECT_TRUE(key(keysym::up));
    EXPECT_TRUE(key(keysym::returnKey));
    ASSERT_EQ(injector.replaced.size(), 2u);
    EXPECT_EQ(injector.replaced[1].backspaces, 1);
    EXPECT_EQ(injector.replaced[1].text, top);
}

// The rows show the default tone; names come from data files, so they are escaped.
TEST_F(PickerSessionTest, ModelShowsTonesAndEscapesNames) {
    state.setDefaultSkinTone(view::SkinTone::Medium);
    session.setSearchText(":thumbs_up:");
    EmojiResultsModel* model = session.resultsModel();
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(model->data(model->index(0), EmojiResultsModel::EmojiRole).toString(),
              QString::fromUtf8("\U0001F44D\U0001F3FD"));
    EXPECT_EQ(EmojiResultsModel::highlightedName("a<b> & \"x\" x", "x", "red"),
              "A&lt;b&gt; &amp; &quot;<font color=\"red\"><b>x</b></font>&quot; x");
}

TEST_F(PickerSessionTest, CategoryFiltersOnlyTheFullPicker) {
    session.setCategory(view::Category::Animals);
    session.refreshResults();
    EXPECT_EQ(session.resultCount(), 20);
    session.setPresentationMode(view::Presentation::Full);
    session.refreshResults();
    ASSERT_EQ(session.resultCount(), 1);
    EXPECT_EQ(session.results()[0]->id(), "fire");
}

} // namespace
} // namespace tiklo
