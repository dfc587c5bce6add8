// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/NameHighlighter.h"
#include "picker/PickerChoices.h"
#include "picker/PickerController.h"
#include "picker/PickerPlacement.h"
#include "support/FakeAppEnvironment.h"
#include "support/FakeInput.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using Type = PickerKeyEvent::Type;
using Kind = PickerContentModel::RowKind;
using Section = PickerContentModel::Section;
using Role = PickerContentModel::Role;

constexpr Point inlineSize{420, 326};
constexpr Point fullSize{620, 470};
constexpr auto inlineMode = view::Presentation::Inline;
constexpr auto fullMode = view::Presentation::Full;
// One 1440 x 900 screen with a 25-point panel at the top.
const std::vector<ScreenArea> oneScreen{{{0, 0, 1440, 900}, {0, 25, 1440, 875}}};

std::vector<EmojiItem> twentyItems() {
    std::vector<EmojiItem> items;
    for (int i = 0; i < 20; ++i) {
        const std::string n = std::to_string(i);
        items.push_back({"e" + n, "item " + n, "item_" + n, EmojiCategory::objects, {}, false});
    }
    items[0] = {"\U0001F44D", "thumbs up", "thumbsup", EmojiCategory::people, {"+1"}, true};
    items[1] = {"\U0001F525", "fire", "fire", EmojiCategory::animals, {}, false};
    // Two symbols of two groups, found by no query below but their groups'.
    items.push_back({"\u00B1",
                     "plus-minus sign",
                     "symbol_00b1",
                     EmojiCategory::objects,
                     {},
                     false,
                     ItemKind::symbol,
                     "math"});
    items.push_back({"\u2192",
                     "rightwards arrow",
                     "symbol_2192",
                     EmojiCategory::objects,
                     {},
                     false,
                     ItemKind::symbol,
                     "arrows"});
    return items;
}

class FakePanel : public PickerPanel {
public:
    Rect frame() const override { return rect; }
    void resize(double width, double height) override {
        rect.width = width;
        rect.height = height;
    }
    void setMovableByBackground(bool) override {}
    void move(Point topLeft) override {
        rect.x = topLeft.x;
        rect.y = topLeft.y;
    }
    void prepare() override {}
    void show(bool isAnimated, double, double) override {
        animated = isAnimated;
        visible = true;
        key = key || activatesAtOnce;
    }
    void hide() override {
        visible = false;
        key = false;
    }
    bool isActive() const override { return key; }
    void setActivatedHandler(std::function<void()> handler) override {
        activated = std::move(handler);
    }
    void setDeactivatedHandler(std::function<void()> handler) override {
        deactivated = std::move(handler);
    }
    void setKeyHandler(std::function<bool(const PickerKeyEvent&)> handler) override {
        keys = std::move(handler);
    }
    void loseKey() {
        key = false;
        deactivated();
    }
    void getKey() {
        key = true;
        activated();
    }

    Rect rect;
    bool animated = false;
    bool visible = false;
    bool key = false;
    bool activatesAtOnce = true;
    std::function<void()> activated;
    std::function<void()> deactivated;
    std::function<bool(const PickerKeyEvent&)> keys;
};

// The session as the controller shows it in a panel, over a catalog of twenty, typing into
// gedit on one screen.
class PickerTest : public ::testing::Test, protected test::FakeAppEnvironment {
protected:
    PickerTest() {
        screens.areas = oneScreen;
        workspace.frontmost = RunningApplication{"gedit", 5, 6};
    }
    // The popup for a prefix typed in the frontmost application, seen at the letter after it.
    void showPopup() {
        picker.show("", 1, std::nullopt, inlineMode);
        picker.keyTypedWhileHolding(held(keysym::letter('f'), "f"));
    }
    // A key the hold took.
    KeyDown held(KeySym sym, std::optional<std::string> text) {
        KeyDown key{{sym}, std::move(text)};
        key.scanCode = 30;
        key.time = ++heldTime;
        hold.taken.insert({key.scanCode, key.time});
        return key;
    }
    bool key(KeySym sym, bool grid = false) {
        return session.handleKey({Type::keyDown, {sym}}, grid);
    }
    // The key in `place` on the digit row, with Ctrl held.
    bool ctrlDigit(int place) {
        return session.handleKey({Type::keyDown, {keysym::digit(place), Modifier::ctrl, place}},
                                 false);
    }

    // A row of the full picker's content: its kind, section, first result, item count and
    // whether it ends its section.
    using Row = std::tuple<Kind, Section, int, int, bool>;
    std::vector<Row> rows() {
        std::vector<Row> list;
        const PickerContentModel& model = *session.contentModel();
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
    // One field of each item in a row of the full picker's content.
    QVariantList items(int row, const QString& field) {
        PickerContentModel* content = session.contentModel();
        QVariantList values;
        for (const QVariant& item : content->data(content->index(row), Role::ItemsRole).toList()) {
            values << item.toMap()[field];
        }
        return values;
    }
    // What the last choice or giving way typed: the backspaces, then the text.
    std::pair<int, std::string> lastTyped() const {
        return {injector.replaced.back().backspaces, injector.replaced.back().text};
    }

    EmojiCatalog catalog{twentyItems(), [] { return 800000000.0; }};
    test::FakeTextInjector injector;
    test::FakeTextInjector inputMethod;
    test::FakeScreens screens;
    test::FakeKeyboardHold hold;
    PickerSession session{{[this]() -> const EmojiCatalog& { return catalog; }, state, history,
                           injector, &inputMethod}};
    bool secretField = false;
    int panelsMade = 0;
    FakePanel* panel = nullptr;
    PickerController picker{{session, state, workspace, screens, hold,
                             [this] {
                                 return FocusedField{std::nullopt, secretField};
                             },
                             [this]() -> std::unique_ptr<PickerPanel> {
                                 ++panelsMade;
                                 auto made = std::make_unique<FakePanel>();
                                 panel = made.get();
                                 return made;
                             }}};
    std::uint32_t heldTime = 1000;
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

TEST_F(PickerTest, SelectionClampsMovesByRowsAndFollowsTheQueryAndTheFullPickersCategory) {
    showPopup();
    ASSERT_EQ(session.resultCount(), 20);
    session.moveSelection(-1);
    EXPECT_EQ(session.selectedIndex(), 0);
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
    session.setPresentationMode(fullMode);
    EXPECT_TRUE(key(keysym::returnKey));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(hides, 0);
    EXPECT_TRUE(injector.replaced.empty());

    // The category filters only the full picker.
    showPopup();
    session.setCategory(view::Category::Animals);
    session.refreshResults();
    EXPECT_EQ(session.resultCount(), 20);
    session.setPresentationMode(fullMode);
    session.refreshResults();
    ASSERT_EQ(session.resultCount(), 1);
    EXPECT_EQ(session.results()[0]->id(), "fire");
}

// A choice hides the popup, replaces the prefix and is learnt, in the default tone the rows
// show; Return right after the prefix ends a line, and after the arrows it chooses; Ctrl and a
// digit choose by place.
TEST_F(PickerTest, ReturnAndCtrlDigitsChooseRecordHideAndType) {
    showPopup();
    state.setDefaultSkinTone(view::SkinTone::Dark);
    state.setInsertSpaceAfterTrigger(true);
    session.setSearchText("thumbs");
    EXPECT_TRUE(key(keysym::returnKey));
    // The keys typed on are held before the picker goes, so none falls in between.
    EXPECT_EQ(std::pair(hides, heldBeforeHiding), std::pair(1, 1));
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(lastTyped(), std::make_pair(1, std::string("\U0001F44D\U0001F3FF ")));
    EXPECT_EQ(injector.replaced[0].app, workspace.frontmost);
    // The prefix is gone now: the query is cleared and a second choice deletes nothing.
    EXPECT_EQ(session.query(), "");
    EXPECT_EQ(session.replacementBackspaces(), 0);
    // A second choice with the picker kept open is typed by the full picker's desktop tests.

    state.setDefaultSkinTone(view::SkinTone::Standard);
    state.setInsertSpaceAfterTrigger(false);
    showPopup();
    EXPECT_FALSE(key(keysym::returnKey));
    EXPECT_EQ(lastTyped(), std::make_pair(0, std::string()));
    EXPECT_EQ(state.recents(), std::vector<std::string>{"thumbsup"}); // the choice, not the line
    // The next showing starts with its first key again.
    showPopup();
    const std::string top = session.results().front()->emoji;
    EXPECT_TRUE(key(keysym::down));
    EXPECT_TRUE(key(keysym::up));
    EXPECT_TRUE(key(keysym::returnKey));
    EXPECT_EQ(lastTyped(), std::make_pair(1, top));

    // Without moving the highlight. Ranked: the two chosen and popular ones, then by name
    // ("item 10" before "item 2").
    showPopup();
    session.setSelectedIndex(4);
    EXPECT_TRUE(ctrlDigit(3));
    EXPECT_EQ(lastTyped(), std::make_pair(1, std::string("e10")));
    EXPECT_EQ(session.selectedIndex(), 4);
    session.setSearchText("fire");
    EXPECT_TRUE(ctrlDigit(3));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(injector.replaced.size(), 4u);
}

// A query naming a group adds one row, after the few results, that opens the full picker at
// the group for the same target: a choice there replaces the prefix as the popup's would have.
TEST_F(PickerTest, TheRowOfAGroupOpensTheFullPickerThereInPlaceOfThePopup) {
    showPopup();
    session.setSearchText("arrows");
    const int row = session.groupRow();
    ASSERT_EQ(row, session.resultCount() - 1);
    EXPECT_EQ(session.itemAt(row), nullptr);
    const QModelIndex index = session.resultsModel()->index(row);
    EXPECT_EQ(index.data(EmojiResultsModel::KindRole).toString(), "group");
    EXPECT_EQ(index.data(EmojiResultsModel::NameRole).toString(), "Arrows \u2026");
    EXPECT_EQ(index.data(EmojiResultsModel::EmojiRole).toString(), "\u2192");
    const std::optional<RunningApplication> target = session.targetApp();
    QSignalSpy groups(&session, &PickerSession::groupRequested);
    session.setSelectedIndex(row);
    EXPECT_TRUE(key(keysym::returnKey));
    EXPECT_TRUE(injector.replaced.empty());
    EXPECT_EQ(session.presentationMode(), fullMode);
    EXPECT_EQ(session.kind(), view::Kind::SymbolKind);
    EXPECT_EQ(session.query(), "");
    EXPECT_EQ(std::pair(session.replacementBackspaces(), session.targetApp()),
              std::pair(1, target));
    ASSERT_EQ(groups.size(), 1);
    EXPECT_EQ(groups.front().front().toString(), "arrows");
    // Selected: the group's first item, not the tab's.
    EXPECT_EQ(session.selectedIndex(), 1);
    EXPECT_TRUE(key(keysym::returnKey));
    EXPECT_EQ(lastTyped(), std::make_pair(1, std::string("\u2192")));
    EXPECT_EQ(session.groupRow(), -1);
}

// After Escape or a choice the keys typed on are new typing; after punctuation, the rest of what
// was typed. A new showing starts afresh.
TEST_F(PickerTest, OnlyPunctuationLeavesTheKeysTypedOnAsTheRestOfTheTyping) {
    const std::vector<std::pair<KeySym, bool>> ends{
        {keysym::escape, false}, {')', true}, {keysym::returnKey, false}, {',', true}};
    for (const auto& [end, gaveWay] : ends) {
        showPopup();
        EXPECT_FALSE(session.gaveWay());
        session.setSearchText("thumbs");
        session.handleKey({Type::keyDown, {end}, end < 0x100 ? std::string(1, char(end)) : ""},
                          false);
        EXPECT_EQ(session.gaveWay(), gaveWay) << end;
    }
}

TEST_F(PickerTest, CancellingReactivatesTheTargetAndResets) {
    showPopup();
    session.setCommandHeld(true);
    EXPECT_TRUE(key(keysym::backSpace));
    EXPECT_EQ(std::pair(hides, heldBeforeHiding), std::pair(1, 1));
    EXPECT_EQ(injector.reactivated, std::vector{workspace.frontmost});
    EXPECT_TRUE(injector.replaced.empty());
    EXPECT_EQ(session.replacementBackspaces(), 0);
    EXPECT_FALSE(session.commandHeld());
    EXPECT_EQ(session.presentationMode(), inlineMode); // left as is
}

// A picker the input method asked for types through it into the window that was active, until
// the next showing, which types as usual again. (Its cancel, and the keys typed meanwhile, are
// the input-method desktop tests'.)
TEST_F(PickerTest, APickerForTheInputMethodGoesThroughItUntilTheNextShowing) {
    picker.show("", 0, std::nullopt, fullMode);
    session.deliverThroughInputMethod();
    session.setSearchText("fire");
    EXPECT_TRUE(key(keysym::returnKey));
    ASSERT_EQ(inputMethod.replaced.size(), 1u);
    EXPECT_EQ(std::tie(inputMethod.replaced[0].text, inputMethod.replaced[0].app),
              std::tuple("\U0001F525", workspace.frontmost));

    // Shown by the program's own shortcut: keys again.
    picker.show("", 0, std::nullopt, fullMode);
    session.setSearchText("fire");
    session.insertSelected();
    EXPECT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(inputMethod.replaced.size(), 1u);
}

// The query goes back to the application as typed (as its keys, modifiers and all, when typed
// into the popup's field), then the key that ended it, which the window passes on; nothing is
// learnt.
TEST_F(PickerTest, PunctuationGivesWayWithTheQueryAsTypedOrAsItsKeysAndLearnsNothing) {
    showPopup();
    session.setSearchText("thumbs");
    EXPECT_FALSE(session.handleKey({Type::keyDown, {')'}, ")"}, false));
    EXPECT_EQ(std::pair(hides, heldBeforeHiding), std::pair(1, 1));
    // The keys typed on are the rest of what was typed, where no prefix opens a popup.
    EXPECT_TRUE(session.gaveWay());
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_EQ(lastTyped(), std::make_pair(0, std::string("thumbs")));
    EXPECT_EQ(injector.replaced[0].app, workspace.frontmost);
    EXPECT_TRUE(state.recents().empty());
    EXPECT_TRUE(state.emojiUsage().empty());
    EXPECT_EQ(session.query(), "");
    EXPECT_EQ(session.replacementBackspaces(), 0);

    // The field takes what passes, as the view would.
    showPopup();
    const auto typeKey = [&](KeySym sym, const std::string& text, KeyStroke stroke,
                             Modifiers modifiers = {}) {
        const bool taken =
            session.handleKey({Type::keyDown, {sym, modifiers}, text, stroke}, false);
        if (!taken && hides == 1) {
            session.setSearchText(session.queryText() + QString::fromStdString(text));
        }
        return taken;
    };
    const KeyStroke shiftD{40, 1, true};
    EXPECT_FALSE(typeKey(keysym::letter('d'), "D", shiftD, Modifier::shift));
    EXPECT_FALSE(
        session.handleKey({Type::keyUp, {keysym::letter('d')}, {}, {40, 1, false}}, false));
    ASSERT_EQ(session.query(), "D");
    EXPECT_FALSE(typeKey(keysym::space, " ", {65, 0, true}));
    EXPECT_EQ(injector.forwarded, (std::vector<KeyStroke>{shiftD, {40, 1, false}}));
    EXPECT_EQ(lastTyped(), std::make_pair(0, std::string()));
    EXPECT_EQ(heldBeforeHiding, 2);
}

// Where the popup goes is PickerPlacementTest's, and the desktop tests' at the caret and the
// pointer.
TEST_F(PickerTest, InlineShowFillsTheSessionAndNeverOpensInAPasswordField) {
    // Not for a password field: the session is not filled (no target, no query, nothing to
    // insert), and what was typed after the prefix goes on into the field.
    session.setSearchText("before");
    secretField = true;
    showPopup();
    EXPECT_EQ(panelsMade, 0);
    EXPECT_EQ(session.query(), "before");
    EXPECT_EQ(session.replacementBackspaces(), 0);
    EXPECT_EQ(std::pair(hold.releasedToFocus, hold.holding), std::pair(1, false));
    // The full picker is asked for by the hotkey, not by typing: it opens.
    picker.show("", 0, std::nullopt, fullMode);
    EXPECT_EQ(panelsMade, 1);
    secretField = false;

    session.setCommandHeld(true);
    showPopup();
    EXPECT_EQ(session.targetApp(), workspace.frontmost);
    EXPECT_EQ(session.replacementBackspaces(), 1);
    EXPECT_FALSE(session.commandHeld());
    EXPECT_EQ(session.resultCount(), 20);
    EXPECT_TRUE(panel->animated);

    screens.reducedMotion = true;
    picker.show("", 1, RunningApplication{"given", 1, 1}, inlineMode);
    picker.keyTypedWhileHolding(held(keysym::letter('f'), "f"));
    EXPECT_EQ(session.targetApp()->appID, "given");
    EXPECT_FALSE(panel->animated);
    EXPECT_EQ(panelsMade, 1);
}

// The popup is seen once the query holds a search: at the first key that goes on with one, or
// after a pause on the prefix alone. Until then it holds the keys; a key that gives way hands
// them all to the application, as typed, and no window was ever seen.
TEST_F(PickerTest, ThePopupIsSeenOnlyOnceASearchBeginsOrAfterAPause) {
    const auto prefix = [&] {
        picker.show("", 1, std::nullopt, inlineMode);
        EXPECT_TRUE(hold.holding);
        EXPECT_FALSE(panel->visible);
    };
    for (const auto& [sym, text] : std::vector<std::pair<KeySym, std::optional<std::string>>>{
             {' ', " "}, {keysym::returnKey, "\r"}, {')', ")"}, {keysym::backSpace, "\b"}}) {
        prefix();
        const int released = hold.releasedToFocus;
        // Shift chooses what the next key types, and decides nothing.
        picker.keyTypedWhileHolding(held(0xffe1, std::nullopt));
        EXPECT_TRUE(hold.holding);
        picker.keyTypedWhileHolding(held(sym, text));
        EXPECT_FALSE(panel->visible) << sym;
        EXPECT_EQ(hold.releasedToFocus, released + 1) << sym;
        EXPECT_EQ(hold.releasedToOwnWindow, 0) << sym;
    }
    EXPECT_TRUE(injector.replaced.empty());
    EXPECT_EQ(hides, 0);

    // A letter, the start of an emoticon, a dead key: a search, seen at once, with the keys.
    for (const auto& [sym, text] : std::vector<std::pair<KeySym, std::optional<std::string>>>{
             {keysym::letter('f'), "f"}, {':', ":"}, {0xfe51 /* dead_acute */, std::nullopt}}) {
        prefix();
        const int released = hold.releasedToOwnWindow;
        picker.keyTypedWhileHolding(held(sym, text));
        EXPECT_TRUE(panel->visible) << sym;
        EXPECT_EQ(hold.releasedToOwnWindow, released + 1) << sym;
        picker.hide();
    }

    // The prefix alone, after a pause; the full picker at once.
    prefix();
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel->visible; }, 5000));
    picker.hide();
    picker.show("", 0, std::nullopt, fullMode);
    EXPECT_TRUE(panel->visible);
}

// Every showing holds the keys first and asks for them to follow once the picker has the
// keyboard (the hold waits for that itself). Losing the keyboard closes only the inline popup.
TEST_F(PickerTest, KeysAreHeldUntilThePickerHasTheKeyboardAndLosingItClosesOnlyThePopup) {
    showPopup();
    session.setSearchText("fi");
    panel->loseKey();
    QCoreApplication::processEvents();
    EXPECT_FALSE(panel->visible);
    EXPECT_EQ(session.query(), "");
    EXPECT_EQ(session.replacementBackspaces(), 0);
    EXPECT_TRUE(injector.reactivated.empty()); // the focus stays where the user put it

    // The hotkey while the popup is open turns it into the full picker.
    showPopup();
    picker.show("", 0, std::nullopt, fullMode);
    EXPECT_EQ(hold.holds, 3);
    EXPECT_EQ(std::pair(hold.releasedToOwnWindow, hold.releasedToFocus), std::pair(3, 0));
    EXPECT_EQ(session.replacementBackspaces(), 0);
    panel->loseKey();
    QCoreApplication::processEvents();
    EXPECT_TRUE(panel->visible);

    // A picker that never got the keyboard gives what was held to the focus when it goes.
    panel->activatesAtOnce = false;
    showPopup();
    hold.holding = true; // the hold still waits for the picker
    picker.hide();
    EXPECT_EQ(std::pair(hold.releasedToFocus, hold.holding), std::pair(1, false));
    picker.hide();
    EXPECT_EQ(hold.releasedToFocus, 1);

    // One that had it leaves any later hold alone (an insertion's, say).
    showPopup();
    panel->getKey();
    hold.holding = true;
    picker.hide();
    EXPECT_EQ(std::pair(hold.releasedToFocus, hold.holding), std::pair(1, true));

    // Keys reached it, so it has the keyboard, though the window system has not said so yet:
    // the hold the choice begins is the choice's, not the opening's, and hiding keeps it.
    panel->activatesAtOnce = true;
    showPopup();
    session.setSearchText("fi");
    const PickerKeyEvent returnKey{PickerKeyEvent::Type::keyDown, {keysym::returnKey}};
    hold.holding = true;
    EXPECT_TRUE(panel->keys(returnKey));
    ASSERT_EQ(injector.replaced.size(), 1u);
    EXPECT_FALSE(panel->visible); // hidden before typing
    EXPECT_EQ(std::pair(hold.releasedToFocus, hold.holding), std::pair(1, true));
    // Once hidden, keys no longer reach the session.
    EXPECT_FALSE(panel->keys(returnKey));
    EXPECT_EQ(injector.replaced.size(), 1u);

    // Grid moves by rows only in the full picker.
    state.setPickerMode(view::PickerMode::Grid);
    EXPECT_FALSE(picker.isGridLayout());
    picker.show("", 0, std::nullopt, fullMode);
    EXPECT_TRUE(picker.isGridLayout());
}

// Keys pressed after the prefix, but before the hold began, reached the application: the
// characters among them that keep the query a search join it and are replaced with the prefix.
TEST_F(PickerTest, KeysThatSlippedPastTheHoldJoinTheQueryOrMakeThePopupGiveWay) {
    const auto press = [](KeySym sym, std::optional<std::string> text, std::uint32_t time,
                          Modifiers modifiers = {}) {
        KeyDown key{{sym, modifiers}, std::move(text)};
        key.scanCode = 40;
        key.time = time;
        return key;
    };
    showPopup();
    hold.holding = true; // the hold waits for the popup
    picker.keyTypedWhileHolding(press(keysym::letter('f'), "f", 1));
    picker.keyTypedWhileHolding(press(0xffe1 /* Shift_L */, std::nullopt, 2));
    picker.keyTypedWhileHolding(press(keysym::letter('i'), "I", 3, Modifier::shift));
    picker.keyTypedWhileHolding(press(keysym::letter('e'), "\u00e9", 4));
    EXPECT_EQ(session.query(), "fI\u00e9");
    EXPECT_EQ(session.replacementBackspaces(), 4);
    // Keys the hold took go to the popup's field by themselves.
    hold.taken.insert({40, 5});
    picker.keyTypedWhileHolding(press(keysym::letter('r'), "r", 5));
    // Once the popup has the keyboard, keys are its own.
    panel->getKey();
    picker.keyTypedWhileHolding(press(keysym::letter('x'), "x", 6));
    EXPECT_EQ(session.query(), "fI\u00e9");
    EXPECT_EQ(session.replacementBackspaces(), 4);
    EXPECT_TRUE(panel->visible);

    // Punctuation that ends the search, and any key that types nothing (it acted in the
    // application: Backspace, a shortcut, Return) make the popup give way: it is all in the
    // application already, so nothing is typed; the application gets the keyboard back, then the
    // keys held.
    std::uint32_t time = 7;
    for (const std::vector<KeyDown>& keys :
         std::vector<std::vector<KeyDown>>{{press(')', ")", 0)},
                                           {press(keysym::letter('f'), "f", 0), press('=', "=", 0)},
                                           {press(keysym::backSpace, "\b", 0)},
                                           {press(keysym::letter('a'), "a", 0, Modifier::ctrl)}}) {
        showPopup();
        hold.holding = true;
        const std::size_t given = injector.replaced.size();
        for (KeyDown key : keys) {
            key.time = time++;
            picker.keyTypedWhileHolding(key);
        }
        const KeySym last = keys.back().key.sym;
        EXPECT_FALSE(panel->visible) << last;
        ASSERT_EQ(injector.replaced.size(), given + 1) << last;
        EXPECT_EQ(lastTyped(), std::make_pair(0, std::string())) << last;
        EXPECT_EQ(injector.replaced.back().app, workspace.frontmost) << last;
        EXPECT_EQ(hold.releasedToFocus, 0) << last; // the injector's to release, after
        EXPECT_EQ(session.query(), "");
    }
    // A key that keeps it a search goes on with it.
    showPopup();
    hold.holding = true;
    picker.keyTypedWhileHolding(press('+', "+", time++));
    EXPECT_EQ(session.query(), "+");
    EXPECT_TRUE(panel->visible);

    // The full picker was opened by the hotkey, not by a prefix typed in the application.
    picker.show("", 0, std::nullopt, fullMode);
    hold.holding = true;
    picker.keyTypedWhileHolding(press(keysym::letter('f'), "f", time++));
    EXPECT_EQ(session.query(), "");
    EXPECT_TRUE(panel->visible);
}

// The full picker's rows: results eight to a grid row, one to a list row. Recents as stored and
// favorites by name lead, unknown ids left out, only without query or category (the section
// titles are read by the view test).
TEST_F(PickerTest, RowsHoldEightInTheGridOneInTheListAndRecentsAndFavoritesLead) {
    picker.show("", 0, std::nullopt, fullMode);
    const std::vector<Row> results{{Kind::Header, Section::Results, 0, 0, false},
                                   {Kind::Emoji, Section::Results, 0, 8, false},
                                   {Kind::Emoji, Section::Results, 8, 8, false},
                                   {Kind::Emoji, Section::Results, 16, 4, true}};
    EXPECT_EQ(rows(), results);
    // Each result's row, at and across the eight-wide boundaries.
    const std::vector<std::pair<int, int>> rowOf{{-1, -1}, {0, 1},  {7, 1},  {8, 2},
                                                 {15, 2},  {16, 3}, {19, 3}, {20, -1}};
    for (const auto& [index, row] : rowOf) {
        EXPECT_EQ(session.contentModel()->rowOfResult(index), row) << index;
    }
    state.setPickerMode(view::PickerMode::List);
    ASSERT_EQ(rows().size(), 21u);
    EXPECT_EQ(rows()[20], (Row{Kind::Emoji, Section::Results, 19, 1, true}));
    EXPECT_EQ(session.contentModel()->rowOfResult(19), 20);
    EXPECT_EQ(items(20, "index"), QVariantList{19});

    state.setPickerMode(view::PickerMode::Grid);
    state.setRecents({"item_3", "missing", "item_2"});
    state.setFavorites({"item_9", "item_4", "gone", "item_5"});
    std::vector<Row> led{{Kind::Header, Section::Recent, 0, 0, false},
                         {Kind::Emoji, Section::Recent, 0, 2, true},
                         {Kind::Header, Section::Favorites, 0, 0, false},
                         {Kind::Emoji, Section::Favorites, 0, 3, true}};
    led.insert(led.end(), results.begin(), results.end());
    EXPECT_EQ(rows(), led);
    EXPECT_EQ(items(1, "id"), (QVariantList{"item_3", "item_2"}));
    EXPECT_EQ(items(3, "id"), (QVariantList{"item_4", "item_5", "item_9"}));
    EXPECT_EQ(items(1, "favorite"), (QVariantList{false, false}));
    EXPECT_EQ(items(3, "favorite"), (QVariantList{true, true, true}));

    session.setSearchText("item 1");
    EXPECT_EQ(rows().front(), results.front());
    session.setSearchText("nothing like it");
    EXPECT_EQ(rows(),
              (std::vector<Row>{results.front(), {Kind::Empty, Section::Results, 0, 0, true}}));
    session.setSearchText("");
    session.setCategory(view::Category::Objects);
    session.refreshResults();
    EXPECT_EQ(rows().front(), results.front());
}

TEST_F(PickerTest, ContentChangesReplaceOnlyTheRowsThatDiffer) {
    picker.show("", 0, std::nullopt, fullMode);
    PickerContentModel* content = session.contentModel();
    QSignalSpy resets(content, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(content, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(content, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(content, &QAbstractItemModel::dataChanged);

    // A first favorite: its header and row come in before the results, which stay.
    history.toggleFavorite(catalog.all()[4]);
    EXPECT_EQ(resets.count(), 0);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0].mid(1), (QVariantList{0, 1})); // rows 0 to 1
    EXPECT_EQ(removed.count(), 0);

    // A new tone changes what the rows show, not the rows.
    inserted.clear();
    changed.clear();
    state.setDefaultSkinTone(view::SkinTone::Dark);
    EXPECT_EQ(inserted.count() + removed.count(), 0);
    EXPECT_EQ(changed.count(), 1);

    // What changed while the inline popup showed is there once the full picker is back.
    session.setPresentationMode(inlineMode);
    state.setRecents({"item_2"});
    session.setPresentationMode(fullMode);
    EXPECT_EQ(rows().front(), (Row{Kind::Header, Section::Recent, 0, 0, false}));
    EXPECT_EQ(resets.count(), 0);
}

TEST(PickerPlacementTest, FullPickerCentresWhollyOnScreenAndThePopupHangsBelowTheCaretOrMouse) {
    EXPECT_EQ(
        PickerPlacement::origin(fullMode, fullSize, Rect{5, 5, 1, 1}, oneScreen, std::nullopt, {}),
        (Point{410, 25 + 437.5 - 235 - 60}));
    EXPECT_EQ(PickerPlacement::origin(fullMode, fullSize, std::nullopt, {}, std::nullopt, {}),
              std::nullopt);
    const auto on = [](Rect visible) {
        const std::vector<ScreenArea> screen{{visible, visible}};
        return *PickerPlacement::origin(fullMode, fullSize, std::nullopt, screen, 0, {});
    };
    // Just tall enough for the raise: 470 + 2 * 60; a point shorter, the top edge holds.
    EXPECT_EQ(on({0, 30, 800, 590}), (Point{90, 30}));
    EXPECT_EQ(on({0, 30, 800, 589}), (Point{90, 30}));
    EXPECT_EQ(on({0, 30, 800, 592}), (Point{90, 31}));
    // Shorter than the picker: its top, with the search field, stays on screen.
    EXPECT_EQ(on({0, 0, 853, 400}), (Point{116.5, 0}));
    // Narrower than the picker: its left edge stays on screen.
    EXPECT_EQ(on({100, 0, 500, 900}), (Point{100, 155}));

    // The inline popup hangs below the caret or the mouse, inside its screen's visible frame.
    const auto at = [](std::optional<Rect> caret,
                       const std::vector<ScreenArea>& screens = oneScreen, Point mouse = {}) {
        return *PickerPlacement::origin(inlineMode, inlineSize, caret, screens, 0, mouse);
    };
    EXPECT_EQ(at(Rect{500, 282, 2, 18}), (Point{484, 282 + 18 + 10}));
    // Too low: above the caret line instead, its top kept 12 points inside.
    EXPECT_EQ(at(Rect{500, 782, 2, 18}), (Point{484, 782 - 10 - 326}));
    EXPECT_EQ(at(Rect{500, 0, 2, 600}), (Point{484, 25 + 12}));
    // The popup's bottom exactly 12 points inside still fits below; one point lower does not.
    constexpr double lowestBelow = 900 - 12 - 326 - 10 - 18; // the caret's top when it just fits
    EXPECT_EQ(at(Rect{500, lowestBelow, 2, 18}).y, lowestBelow + 18 + 10);
    EXPECT_EQ(at(Rect{500, lowestBelow + 1, 2, 18}).y, lowestBelow + 1 - 10 - 326);
    // Near the right and left edges.
    EXPECT_EQ(at(Rect{1430, 282, 2, 18}).x, 1440 - 420 - 12);
    EXPECT_EQ(at(Rect{3, 282, 2, 18}).x, 12);

    // A 1920 x 1080 screen to the right, its bottom edge level with the first one's.
    const std::vector<ScreenArea> two{oneScreen[0],
                                      {{1440, -180, 1920, 1080}, {1440, -180, 1920, 1080}}};
    EXPECT_EQ(at(Rect{3300, 382, 2, 18}, two), (Point{1440 + 1920 - 420 - 12, 382 + 18 + 10}));
    // Without a caret: below the mouse, on the main screen.
    EXPECT_EQ(at(std::nullopt, oneScreen, {700, 400}), (Point{676, 400 + 18}));
    EXPECT_EQ(at(std::nullopt, oneScreen, {0, 900}), (Point{12, 900 - 12 - 326}));
}

// The popup's rows set apart the first occurrence of the query, whatever its case and
// diacritics; names come from data files, so they are escaped.
TEST(PickerNames, TheQueryIsMarkedNamesAreEscapedAndToneSamplesStayInRange) {
    EXPECT_EQ(EmojiResultsModel::highlightedName("a<b> & \"x\" x", "x", "red"),
              "A&lt;b&gt; &amp; &quot;<font color=\"red\"><b>x</b></font>&quot; x");
    EXPECT_EQ(NameHighlighter::highlight("thumbs up", ":THUMBS_UP:"),
              (HighlightedName{"", "Thumbs up", ""}));
    EXPECT_EQ(NameHighlighter::highlight("red heart heart", " heart\n"),
              (HighlightedName{"Red ", "heart", " heart"}));
    EXPECT_EQ(NameHighlighter::highlight("piñata", "PINA"), (HighlightedName{"", "Piña", "ta"}));
    EXPECT_EQ(NameHighlighter::highlight("fire", "water"), (HighlightedName{"Fire", "", ""}));
    EXPECT_EQ(NameHighlighter::highlight("fire", "::"), (HighlightedName{"Fire", "", ""}));
    EXPECT_EQ(NameHighlighter::displayName(""), "");

    // Each choice carrying its own category and tone is the full picker's view test's; a tone
    // out of range, as a view may ask, has no sample and no crash.
    EXPECT_EQ(PickerChoices::toneSample(-1), "");
    EXPECT_EQ(PickerChoices::toneSample(6), "");
}

} // namespace
} // namespace tiklo
