// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/InlineSearchSession.h"

#include "catalog/BuiltinTables.h"
#include "catalog/Unicode.h"
#include "core/GiveWayRule.h"
#include "core/SettingsFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

using Kind = QueryKey::Kind;

const std::string thumbsUp = "\U0001F44D";

// The system's English catalog, as most people meet it.
const EmojiCatalog& englishCatalog() {
    static const EmojiCatalog catalog(CatalogSources::systemDefaults("en"));
    return catalog;
}

// What the field holds and what was drawn: a document that takes every commit and every key
// the session lets through, as an application would.
class Field : public InlineSearchView {
public:
    void showSearch() override { listShown = session != nullptr && session->candidatesShown(); }
    void awaitPause(std::chrono::milliseconds pause) override {
        EXPECT_EQ(pause, InlineSearchSession::searchPause);
        ++pauses;
    }
    void showCursor() override {}
    void hideSearch() override {
        ++hides;
        listShown = false;
    }
    void commit(const std::string& text) override {
        commits.push_back(text);
        document += text;
    }
    void openPicker(const std::optional<NamedGroup>& group) override {
        ++pickers;
        openedGroup = group;
    }

    const InlineSearchSession* session = nullptr;
    // Whether the last showing held the candidates; the pauses awaited.
    bool listShown = false;
    int pauses = 0;
    std::string document;
    std::vector<std::string> commits;
    int hides = 0;
    int pickers = 0;
    std::optional<NamedGroup> openedGroup;
};

const std::map<std::string, Key> namedKeys{
    {"Return", Key(keysym::returnKey)},
    {"Escape", Key(keysym::escape)},
    {"BackSpace", Key(keysym::backSpace)},
    {"Up", Key(keysym::up)},
    {"Down", Key(keysym::down)},
    {"Left", Key(keysym::left)},
    {"Page_Up", Key(keysym::pageUp)},
    {"Page_Down", Key(keysym::pageDown)},
    {"Shift+Return", Key(keysym::returnKey, Modifier::shift)},
};

class InlineSearchSessionTest : public ::testing::Test {
protected:
    void write(const DefaultsStore::Entries& entries) { SettingsFile(path, {}).write(entries); }
    TriggerSettings stored() const { return TriggerSettings::load(SettingsFile(path, {})); }
    std::vector<const EmojiItem*> ranked(const std::string& query) const {
        const TriggerSettings now = stored();
        return englishCatalog().inlineSearch(query, now.favorites, now.emojiUsage, now.recents);
    }

    // One press; the application takes in what a key passed on types.
    bool press(const Key& key, const std::string& text,
               InlineSearchSession::Field where = {"gedit", false}) {
        const bool used = session.keyPressed(key, text, where);
        if (!used) {
            field.document += text;
        }
        return used;
    }
    // Named keys ("Down", "Ctrl+2"), else each character of the name as the key typing it.
    void keys(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            if (const auto named = namedKeys.find(name); named != namedKeys.end()) {
                press(named->second, {});
            } else if (name.starts_with("Ctrl+")) {
                const int digit = name.back() - '0';
                press(Key(keysym::digit(digit), Modifier::ctrl, digit), {});
            } else {
                type(name);
            }
        }
    }
    // Each character as a US keyboard types it (a line end with Return).
    void type(const std::string& text) {
        for (const char32_t c : unicode::scalars(text)) {
            const KeySym sym = c == '\n'   ? keysym::returnKey
                               : c == '\t' ? keysym::tab
                               : c < 0x80  ? static_cast<KeySym>(c)
                                           : 0x01000000 + c;
            const bool upper = c >= 'A' && c <= 'Z';
            press(Key(sym, upper ? Modifiers(Modifier::shift) : Modifiers{}),
                  unicode::toUtf8(std::u32string(1, c)));
        }
    }
    // The document after `line`, then the keys `then`, on an empty one; no search is left open.
    std::string typed(const std::string& line, const std::vector<std::string>& then = {}) {
        field.document.clear();
        field.commits.clear();
        type(line);
        keys(then);
        EXPECT_FALSE(session.active()) << line;
        return field.document;
    }
    // The same for ";query": one search, hidden once.
    std::string search(const std::string& query, const std::vector<std::string>& then) {
        const int hidden = field.hides;
        const std::string document = typed(";" + query, then);
        EXPECT_EQ(field.hides, hidden + 1) << query;
        EXPECT_LE(field.commits.size(), 1u) << query;
        return document;
    }

    test::TempDir dir;
    std::filesystem::path path = dir.path() / "tiklo" / "defaults.plist";
    SettingsFileWatch settings{path, {}};
    Field field;
    InlineSearchSession session{settings, []() -> const EmojiCatalog& { return englishCatalog(); },
                                field, [] { return 8.0e8; }};
};

// The prefix opens a search over the shared ranking; keys choose (Return, Ctrl with a digit of
// the page shown), move (stopping at either end, Page keys by nine) and end it (Escape keeps the
// text, BackSpace edits then takes the prefix); a number past the last result and keys with no
// place change nothing. Which keys are which kind is the key table's test; what leaving the
// field keeps, once, the input methods' tests'.
TEST_F(InlineSearchSessionTest, KeysChooseMoveAndEndTheSearch) {
    const std::size_t fires = ranked("fire").size();
    const std::size_t fireworks = ranked("firework").size();
    ASSERT_LT(fireworks, 9u);
    ASSERT_GT(ranked("heart").size(), 18u);
    const auto chooses = [&](const std::string& query, const std::vector<std::string>& then,
                             std::size_t index) {
        const std::string want = ranked(query).at(index)->emoji;
        EXPECT_EQ(search(query, then), want) << query << " " << then.back();
    };
    EXPECT_TRUE(press(Key(';'), ";"));
    EXPECT_TRUE(session.active());
    EXPECT_EQ(session.preedit(), ";");
    EXPECT_EQ(session.candidateCount(), ranked("").size());
    keys({"Escape"});

    chooses("fire", {"Down", "Return"}, 1);
    chooses("fire", {"Up", "Left", "Return"}, 0);
    std::vector<std::string> toTheEnd(fires + 2, "Down");
    toTheEnd.push_back("Return");
    chooses("fire", toTheEnd, fires - 1);

    type(";firework");
    keys({"Ctrl+" + std::to_string(fireworks + 1)});
    EXPECT_TRUE(session.active());
    keys({"Escape"});
    chooses("firework", {"Ctrl+" + std::to_string(fireworks)}, fireworks - 1);

    // Shift+Return types a kaomoji Markdown-escaped, and an emoji as it is.
    const std::vector<const EmojiItem*> shrugs = ranked("shrug");
    const auto shrugAt = static_cast<std::size_t>(
        std::ranges::find(shrugs, ItemKind::kaomoji, &EmojiItem::kind) - shrugs.begin());
    ASSERT_LT(shrugAt, 9u);
    EXPECT_EQ(search("shrug", {"Ctrl+" + std::to_string(shrugAt + 1)}),
              "\u00AF\\_(\u30C4)_/\u00AF");
    std::vector<std::string> toShrug(shrugAt, "Down");
    toShrug.push_back("Shift+Return");
    EXPECT_EQ(search("shrug", toShrug), "\u00AF\\\\\\_(\u30C4)\\_/\u00AF");
    EXPECT_EQ(search("fire", {"Shift+Return"}), ranked("fire").front()->emoji);

    // Page Down moves nine on and the numbers count on the new page; Up goes back a page.
    chooses("heart", {"Page_Down", "Ctrl+1"}, 9);
    chooses("heart", {"Page_Down", "Up", "Return"}, 8);
    chooses("heart", {"Down", "Page_Up", "Return"}, 0);

    field.document.clear();
    type(";fi\u00e9");
    keys({"BackSpace"});
    EXPECT_EQ(session.preedit(), ";fi");
    EXPECT_EQ(session.candidateCount(), ranked("fi").size());
    keys({"BackSpace", "BackSpace", "BackSpace"});
    EXPECT_FALSE(session.active());
    EXPECT_EQ(field.document, "");

    // A shortcut is the application's, and the search stays; Shift alone is nobody's.
    type(";f");
    EXPECT_FALSE(press(Key(keysym::letter('c'), Modifier::ctrl), {}));
    EXPECT_FALSE(press(Key(0xffe1), {}));
    EXPECT_EQ(session.preedit(), ";f");
    field.document.clear();
    keys({"Escape"});
    EXPECT_EQ(field.document, ";f");
}

// A query that names a whole group adds one row, last on the first page (or after fewer
// results), that opens the group in the program's picker; without a program, no row. The
// results keep their order around it, for the arrows and the numbers alike.
TEST_F(InlineSearchSessionTest, AQueryNamingAGroupAddsOneRowThatOpensItInThePicker) {
    for (const std::string query : {"arrows", "kaomoji"}) {
        const std::vector<const EmojiItem*> results = ranked(query);
        type(";" + query);
        EXPECT_EQ(session.candidateCount(), results.size()) << query;
        keys({"Escape"});
        session.setPickerAvailable(true);
        type(";" + query);
        ASSERT_EQ(session.candidateCount(), results.size() + 1) << query;
        const std::size_t row = std::min<std::size_t>(results.size(), 8);
        for (std::size_t index = 0; index < session.candidateCount(); ++index) {
            const InlineSearchSession::Candidate candidate = session.candidate(index);
            EXPECT_EQ(candidate.opensGroup, index == row) << query << index;
            if (index != row) {
                const EmojiItem& item = *results[index < row ? index : index - 1];
                EXPECT_EQ(candidate.emoji, item.emoji) << query << index;
            }
        }
        std::vector<std::string> toRow(row, "Down");
        toRow.push_back("Return");
        field.commits.clear();
        keys(toRow);
        EXPECT_FALSE(session.active()) << query;
        EXPECT_TRUE(field.commits.empty()) << query;
        ASSERT_TRUE(field.openedGroup) << query;
        field.openedGroup.reset();
        if (results.size() > row) {
            EXPECT_EQ(search(query, {"Ctrl+9"}), "") << query;
            EXPECT_TRUE(field.openedGroup) << query;
            EXPECT_EQ(search(query, {"Page_Down", "Return"}), results[row]->emoji) << query;
        }
        session.setPickerAvailable(false);
    }
    session.setPickerAvailable(true);
    const std::size_t arrowsRow = std::min<std::size_t>(ranked("arrows").size(), 8);
    type(";arrows");
    EXPECT_EQ(session.candidate(arrowsRow).name, "Arrows \u2026");
    std::vector<std::string> toArrows(arrowsRow, "Down");
    toArrows.push_back("Return");
    keys(toArrows);
    ASSERT_TRUE(field.openedGroup);
    EXPECT_EQ(std::tie(field.openedGroup->kind, field.openedGroup->group),
              std::tuple(ItemKind::symbol, "arrows"));
    type(";kaomoji");
    keys({"Ctrl+" + std::to_string(std::min<std::size_t>(ranked("kaomoji").size(), 8) + 1)});
    ASSERT_TRUE(field.openedGroup);
    EXPECT_FALSE(session.active());
    EXPECT_EQ(std::tie(field.openedGroup->kind, field.openedGroup->group),
              std::tuple(ItemKind::kaomoji, ""));
}

// Only a search shows the candidates: its first key, or a pause on the prefix alone. Until then
// the preedit alone shows, and punctuation after the prefix never shows them.
TEST_F(InlineSearchSessionTest, TheCandidatesShowOnceTheQueryHoldsASearchOrAfterAPause) {
    field.session = &session;
    const auto listSeenWhileTyping = [&](const std::string& line) {
        bool seen = false;
        for (const char c : line) {
            type(std::string(1, c));
            seen = seen || field.listShown;
        }
        return seen;
    };
    EXPECT_FALSE(listSeenWhileTyping("for (;;) { a; b; }\nx;\ty; ;) ok"));
    EXPECT_EQ(field.pauses, 6);

    type(";");
    EXPECT_FALSE(field.listShown);
    type("f");
    EXPECT_TRUE(field.listShown);
    keys({"Escape"});

    // The pause shows ";" alone's results; ended after the search, it shows nothing.
    type(";");
    session.pauseEnded();
    EXPECT_TRUE(field.listShown);
    keys({"Return"});
    session.pauseEnded();
    EXPECT_FALSE(field.listShown);
    EXPECT_FALSE(session.active());

    // Moving through the results shows them.
    type(";");
    keys({"Down"});
    EXPECT_TRUE(field.listShown);
    keys({"Escape"});
}

// The prefix as punctuation: prose, winks, code and shell lines reach the document exactly as
// typed, the first search giving way at its first punctuation (the catalog's texts tell, not
// the results): its commit holds the key that ended it, unless that was a line end or a tab.
// Searches in the same lines still insert.
TEST_F(InlineSearchSessionTest, PunctuationStaysAsTypedAndSearchesStillInsert) {
    const std::map<std::string, std::string> firstCommit{
        {"one; two", "; "},    {"wink ;) ok", ";)"},
        {"a ;-) b", ";-)"},    {"so ;D nice", ";D "},
        {"yes ;P, ok", ";P,"}, {"x = 1;\n", ";"},
        {"cd a; ls", "; "},    {"for(i=0;i<n;i++)", ";i<"},
        {"a=1;b=2", ";b="},    {"a;\tb", ";"},
        {";;", ";;"},          {"; ", "; "},
        {";\n", ";"},          {"see ;xyzzy\n", ";xyzzy"},
    };
    for (const auto& [line, gaveWay] : firstCommit) {
        EXPECT_EQ(typed(line), line);
        ASSERT_FALSE(field.commits.empty()) << line;
        EXPECT_EQ(field.commits.front(), gaveWay) << line;
    }
    EXPECT_EQ(stored().recents.size(), 0u) << "punctuation teaches nothing";
    EXPECT_EQ(typed("ok ;thumbs up", {"Return"}), "ok " + thumbsUp);
    EXPECT_EQ(typed("ok ;+1", {"Ctrl+1"}), "ok " + thumbsUp);
    // Return right after the prefix ends a line; after any other key it chooses. The second
    // is read before the choice, which ranks it anew.
    const std::string second = ranked("")[1]->emoji;
    EXPECT_EQ(typed(";", {"Down", "Return"}), second);
}

// The settings window writes the file meanwhile: each change counts from the next key. Never
// in a secret field, excluded programs, Tiklo's own windows or while Tiklo is off. The picker's
// shortcut opens it wherever a program can, except in Tiklo's windows, search on or off. The
// candidates and the commit show the emoji's own tone, else the default one.
TEST_F(InlineSearchSessionTest, TheSettingsFileDecidesWhereAndHowItServesFromTheNextKey) {
    write({{"excludedBundleIDs", DefaultsStore::Data{R"(["keepass","org.gnome.Terminal"])"}}});
    const auto opens = [&](InlineSearchSession::Field where) {
        const bool taken = press(Key(';'), ";", where);
        EXPECT_EQ(taken, session.active());
        session.leave(true);
        return taken;
    };
    EXPECT_FALSE(opens({"gedit", true}));
    EXPECT_FALSE(opens({"org.gnome.Terminal", false}));
    EXPECT_FALSE(opens({"tiklo", false}));
    EXPECT_TRUE(opens({"keepassxc", false}));
    EXPECT_TRUE(opens({"", false}));

    const Key ctrlAltE(keysym::letter('e'), Modifier::ctrl | Modifier::alt);
    EXPECT_FALSE(press(ctrlAltE, {})) << "no program to open the picker";
    session.setPickerAvailable(true);
    EXPECT_FALSE(press(ctrlAltE, {}, {"tiklo", false}));
    EXPECT_FALSE(press(Key(keysym::letter('e'), Modifier::ctrl), {}));
    write({{"masterEnabled", false}});
    EXPECT_FALSE(opens({"gedit", false}));
    EXPECT_TRUE(press(ctrlAltE, {}, {"gedit", true}));
    EXPECT_EQ(field.pickers, 1);

    write({{"masterEnabled", true},
           {"triggerPrefix", std::string("/")},
           {"insertSpaceAfterTrigger", true},
           {"defaultSkinTone", DefaultsStore::Data{R"("dark")"}}});
    field.document.clear();
    type(";a ");
    EXPECT_FALSE(session.active());
    type("/thumbs up");
    EXPECT_EQ(session.candidate(0).emoji, thumbsUp + "\U0001F3FF");
    keys({"Return"});
    EXPECT_EQ(field.document, ";a " + thumbsUp + "\U0001F3FF ");

    write({{"emojiSkinTones", DefaultsStore::Data{R"({")" + thumbsUp + R"(":"light"})"}},
           {"insertSpaceAfterTrigger", false}});
    EXPECT_EQ(typed("/+1", {"Return"}), thumbsUp + "\U0001F3FB");
}

// A choice is learnt into the file after its commit, at the session's clock; the next search
// ranks by it and by favorites the settings window wrote. (How a use is written into the file is
// the file watch's test.)
TEST_F(InlineSearchSessionTest, ChoicesAreLearntInTheSettingsFileAndRankTheNextSearch) {
    const std::vector<const EmojiItem*> before = ranked("fire");
    const EmojiItem& second = *before[1];
    EXPECT_EQ(search("fire", {"Down", "Return"}), second.emoji);
    const auto usage =
        nlohmann::json::parse(SettingsFile(path, {}).dataValue("emojiUsage").value_or("{}"));
    EXPECT_EQ(usage[second.emoji]["lastUsedAt"], 8.0e8);

    type(";");
    EXPECT_EQ(session.candidate(0).emoji, second.emoji);
    keys({"Escape"});
    const std::vector<const EmojiItem*> learnt = ranked("fire");
    write(
        {{"favorites", DefaultsStore::Data{nlohmann::json::array({before.back()->id()}).dump()}}});
    const std::vector<const EmojiItem*> favored = ranked("fire");
    ASSERT_NE(favored, learnt) << "the favorite ranked no higher";
    type(";fire");
    ASSERT_EQ(session.candidateCount(), favored.size());
    for (std::size_t i = 0; i < favored.size(); ++i) {
        EXPECT_EQ(session.candidate(i).emoji, favored[i]->emoji) << i;
    }
}

// Every key a keyboard has, by kind: the table whole, so a slip in one row shows.
TEST(QueryKeyTest, EveryKeyHasItsKind) {
    struct Row {
        Key key;
        std::string text;
        QueryKey expected;
    };
    std::vector<Row> rows{
        {Key(keysym::returnKey), "\r", {Kind::confirm, {}}},
        {Key(keysym::keypadEnter), "\r", {Kind::confirm, {}}},
        {Key(keysym::linefeed), "\n", {Kind::confirm, {}}},
        {Key(keysym::returnKey, Modifier::shift), "\r", {Kind::confirm, {}, 0, true}},
        {Key(keysym::tab), "\t", {Kind::tab, {}}},
        {Key(keysym::isoLeftTab, Modifier::shift), {}, {Kind::tab, {}}},
        {Key(keysym::keypadTab), "\t", {Kind::tab, {}}},
        {Key(keysym::escape), "\x1b", {Kind::cancel, {}}},
        {Key(keysym::backSpace), "\b", {Kind::erase, {}}},
        {Key(keysym::del), "\x7f", {Kind::other, {}}},
        {Key(0xffe3, Modifier::ctrl), {}, {Kind::modifier, {}}},
        {Key('a'), "a", {Kind::text, "a"}},
        {Key('A', Modifier::shift), "A", {Kind::text, "A"}},
        {Key(' '), " ", {Kind::text, " "}},
        {Key(0x01000000 + 0xe9), "\u00e9", {Kind::text, "\u00e9"}},
        {Key(keysym::digit(1), {}, 1), "1", {Kind::text, "1"}},
        {Key(keysym::keypadDigit(1)), "1", {Kind::text, "1"}},
        {Key('c', Modifier::ctrl), "\x03", {Kind::shortcut, {}}},
        {Key('e', Modifier::ctrl | Modifier::alt), {}, {Kind::shortcut, {}}},
        {Key('e', Modifier::super), {}, {Kind::shortcut, {}}},
        {Key(keysym::returnKey, Modifier::ctrl), {}, {Kind::shortcut, {}}},
        {Key(keysym::escape, Modifier::alt), {}, {Kind::shortcut, {}}},
        {Key(keysym::digit(0), Modifier::ctrl, 10), {}, {Kind::shortcut, {}}},
        {Key(keysym::keypadDigit(0), Modifier::ctrl), {}, {Kind::shortcut, {}}},
    };
    // Keys that type nothing, pressed alone: each kind's two.
    const std::pair<Kind, std::array<KeySym, 2>> silent[]{
        {Kind::up, {keysym::up, keysym::keypadUp}},
        {Kind::down, {keysym::down, keysym::keypadDown}},
        {Kind::left, {keysym::left, keysym::keypadLeft}},
        {Kind::right, {keysym::right, keysym::keypadRight}},
        {Kind::pageUp, {keysym::pageUp, keysym::keypadPageUp}},
        {Kind::pageDown, {keysym::pageDown, keysym::keypadPageDown}},
        {Kind::other, {keysym::home, keysym::function(1)}},
        {Kind::modifier, {0xffe1, 0xfe03}}, // Shift_L, ISO_Level3_Shift (AltGr)
    };
    for (const auto& [kind, syms] : silent) {
        for (const KeySym sym : syms) {
            rows.push_back({Key(sym), {}, {kind, {}}});
        }
    }
    // Every choice: by place on the digit row whatever the key types there (AZERTY's "&"),
    // by the digit where no place is known, and on the keypad; with Ctrl or Super, with Shift
    // too, never with Alt.
    for (int digit = 1; digit <= 9; ++digit) {
        const QueryKey choice{Kind::choose, {}, digit};
        const KeySym sym = keysym::digit(digit);
        rows.push_back({Key('&', Modifier::ctrl, digit), {}, choice});
        rows.push_back({Key(sym, Modifier::super | Modifier::shift, digit), {}, choice});
        rows.push_back({Key(sym, Modifier::ctrl), {}, choice});
        rows.push_back({Key(keysym::keypadDigit(digit), Modifier::ctrl), {}, choice});
        rows.push_back({Key(sym, Modifier::ctrl | Modifier::alt, digit), {}, {Kind::shortcut, {}}});
        rows.push_back({Key(sym, Modifier::shift, digit), "!", {Kind::text, "!"}});
    }
    for (const Row& row : rows) {
        const QueryKey got = QueryKey::of(row.key, row.text);
        EXPECT_EQ(got, row.expected)
            << "keysym 0x" << std::hex << row.key.sym << std::dec << " place " << row.key.digitRow
            << " kind " << static_cast<int>(got.kind) << " choice " << got.choice;
    }
}

TEST(WordRunIndexTest, ATextStartsARunWhereAWordOfANameKeywordOrShortcodeBegins) {
    const WordRunIndex words({
        {"\U0001F44D", "Thumbs Up", "thumbs_up", EmojiCategory::people, {"+1", "Daumen hoch"}},
        {"\U0001F455", "t-shirt", "tshirt", EmojiCategory::objects, {"Glückwunsch"}},
        {"\U0001F170\uFE0F", "A button (blood type)", "a_button", EmojiCategory::symbols, {}},
    });
    for (const std::string text :
         {"", "thumbs ", "THUMBS UP", "up", "thumbs_u", "+", "+1", ":thumbs_up:", ":", "shirt",
          "t-", "(blood type)", "type)", "daumen h", "gluckw", "GLÜCK", "glu\u0308ck"}) {
        EXPECT_TRUE(words.startsWordRun(text)) << text;
    }
    // Inside a word, past the end of a text, or across two texts, nothing starts.
    for (const std::string text : {")", "humbs", "umbs up", "up ", "thumbs up sign", "1", "-",
                                   "+1 daumen", "s_up", "button )", "up\nt", "thumbs  up"}) {
        EXPECT_FALSE(words.startsWordRun(text)) << text;
    }
}

// Every kind of key, right after the prefix, and in searches with results and without.
TEST(GiveWayRuleTest, EveryKindOfKeyAfterThePrefixAndInASearch) {
    const WordRunIndex& words = englishCatalog().wordRuns();
    struct Row {
        QueryState state;
        QueryKey key;
        GiveWayRule::Outcome outcome;
    };
    using enum GiveWayRule::Outcome;
    const QueryState first{"", 1808, true};
    // Arrows were pressed: the query is empty, the key is not the first.
    const QueryState chosen{"", 1808, false};
    std::vector<Row> table{
        {first, {Kind::confirm, {}}, givesWay},
        {first, {Kind::tab, {}}, givesWay},
        {first, {Kind::other, {}}, search},
        {first, {Kind::cancel, {}}, keepTyped},
        {chosen, {Kind::confirm, {}}, search},
        {chosen, {Kind::text, " "}, givesWay},
        {chosen, {Kind::tab, {}}, givesWay},
        // Searching: a key that keeps a start goes on, one that ends it gives way, with or
        // without results; letters and digits always go on; Return only without results.
        {{"thumbs", 2, false}, {Kind::text, " "}, search},
        {{"thumbs", 0, false}, {Kind::text, ")"}, givesWay},
        {{"d", 40, false}, {Kind::text, " "}, givesWay},
        {{"d", 0, false}, {Kind::text, "x"}, search},
        {{"xyzzy", 0, false}, {Kind::text, "9"}, search},
        {{"d", 40, false}, {Kind::confirm, {}}, search},
        {{"xyzzy", 0, false}, {Kind::confirm, {}}, givesWay},
        {{"fire", 30, false}, {Kind::tab, {}}, givesWay},
        {{"fire", 30, false}, {Kind::cancel, {}}, keepTyped},
        {{"fire", 30, false}, {Kind::erase, {}}, search},
        {{"xyzzy", 0, false}, {Kind::other, {}}, search},
        {{"+", 1, false}, {Kind::text, "1"}, search},
    };
    // Right after the prefix: white space and punctuation no text starts with give way.
    for (const std::string text : {" ", "\u00a0", ")", ";"}) {
        table.push_back({first, {Kind::text, text}, givesWay});
    }
    for (const std::string text : {"+", ":", "f", "D", "3", "\u00e9"}) {
        table.push_back({first, {Kind::text, text}, search});
    }
    for (const Row& row : table) {
        EXPECT_EQ(GiveWayRule::outcome(row.state, row.key, words), row.outcome)
            << "\"" << row.state.query << "\" (" << row.state.resultCount << " results"
            << (row.state.firstKey ? ", first key" : "") << ") then \"" << row.key.text
            << "\" (kind " << static_cast<int>(row.key.kind) << ")";
    }
}

// The catalog's texts, not its results, tell a search from punctuation (where lines people
// type give way is the session's test). The emoticon and chat-word tables whole, each with its
// emoji named here rather than read from the table: each finds that emoji first, in either
// letter case, and each is a search key by key after the prefix, never given way.
TEST(GiveWayRuleTest, TheCatalogsWordRunsTellASearchAndEveryEmoticonIsOne) {
    const EmojiCatalog& catalog = englishCatalog();
    const WordRunIndex& words = catalog.wordRuns();
    for (const std::string text : {":fire:", "flag: g", "t-shirt", "x-"}) {
        EXPECT_TRUE(words.startsWordRun(text)) << text;
    }
    // Found by the search (it looks inside every text) and still no start of a search.
    for (const std::string text : {")", "d "}) {
        EXPECT_FALSE(catalog.search(text, std::nullopt, {}, {}, {}).empty()) << text;
        EXPECT_FALSE(words.startsWordRun(text)) << text;
    }

    const std::map<std::string, std::string> emoticons{
        {":)", "🙂"}, {":-)", "🙂"}, {":(", "🙁"},   {":-(", "🙁"}, {":D", "😃"},
        {":-D", "😃"},   {"xD", "😆"},     {":P", "😛"},      {":-P", "😛"},    {":'(", "😢"},
        {":O", "😮"},    {":-O", "😮"},    {":*", "😘"},      {":-*", "😘"},    {":|", "😐"},
        {":/", "😕"},    {"8)", "😎"},     {"<3", "❤️"}, {"</3", "💔"},    {"^_^", "😊"},
        {"o/", "👋"},    {":+1:", "👍"},   {":-1:", "👎"},    {"B)", "😎"},     {"B-)", "😎"},
        {"8-)", "😎"},   {">:(", "😠"},    {">:-(", "😠"},    {":@", "😡"},     {">:)", "😈"},
        {"O:)", "😇"},   {":3", "😺"},     {":-3", "😺"},     {":')", "🥲"}, {"D:", "😧"},
        {"T_T", "😭"},   {":S", "😖"},     {":$", "😳"},
    };
    const std::map<std::string, std::string> chatWords{
        {"lol", "😆"},   {"lmao", "🤣"}, {"lmfao", "🤣"}, {"rofl", "🤣"}, {"haha", "😄"},
        {"hehe", "😁"},  {"omg", "😱"},     {"idk", "🤷"},   {"smh", "🤦"},  {"ty", "🙏"},
        {"thx", "🙏"},   {"np", "👍"},      {"xoxo", "😘"},     {"brb", "🏃"},     {"afk", "💤"},
        {"gg", "🤝"}, {"ikr", "💯"},
    };
    // Winks name their emoji in a search field; after the prefix they are the prefix twice.
    const std::map<std::string, std::string> winks{
        {";)", "😉"}, {";-)", "😉"}, {";D", "😜"}, {";P", "😜"}};
    for (const auto& [table, expected] : {std::pair{&BuiltinTables::emoticons(), &emoticons},
                                          std::pair{&BuiltinTables::chatWords(), &chatWords},
                                          std::pair{&BuiltinTables::winks(), &winks}}) {
        ASSERT_EQ(table->size(), expected->size());
        const bool wink = expected == &winks;
        for (const auto& [named, emoji] : *table) {
            SCOPED_TRACE(named);
            ASSERT_EQ(expected->count(named), 1u);
            EXPECT_EQ(emoji, expected->at(named));
            EXPECT_EQ(named.starts_with(";"), wink);
            for (const std::string& typed :
                 {named, unicode::toUpper(named), unicode::toLower(named), " " + named + " "}) {
                const auto results = catalog.search(typed, std::nullopt, {}, {}, {});
                ASSERT_FALSE(results.empty()) << typed;
                EXPECT_EQ(results.front()->emoji, expected->at(named)) << typed;
            }
            if (wink) {
                EXPECT_TRUE(GiveWayRule::givesWay({"", 1, true}, {Kind::text, ";"}, words));
                continue;
            }
            EXPECT_TRUE(words.startsWordRun(named));
            std::string query;
            for (const char c : named) {
                const QueryKey key{Kind::text, std::string(1, c)};
                EXPECT_FALSE(GiveWayRule::givesWay({query, 1, query.empty()}, key, words));
                query += key.text;
            }
        }
    }
    // What is typed after an emoticon ends it as punctuation does.
    EXPECT_TRUE(GiveWayRule::givesWay({":)", 1, false}, {Kind::text, " "}, words));
    EXPECT_EQ(BuiltinTables::emojiNamedBy(":)x"), nullptr);
}

} // namespace
} // namespace tiklo
