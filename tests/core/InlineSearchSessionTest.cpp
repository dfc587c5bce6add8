// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/InlineSearchSession.h"

#include "catalog/CatalogSources.h"
#include "catalog/Unicode.h"
#include "core/QueryKey.h"
#include "core/SettingsFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace tiklo {
namespace {

using Kind = QueryKey::Kind;

QueryKey k(Kind kind, std::string text = {}, int choice = 0) {
    return QueryKey{kind, std::move(text), choice};
}

const std::string fire = "\U0001F525";
const std::string thumbsUp = "\U0001F44D";

const EmojiCatalog& englishCatalog() {
    static const EmojiCatalog catalog(CatalogSources::systemDefaults("en"));
    return catalog;
}

// What the field holds and what was drawn: a document that takes every commit and every key
// the session lets through, as an application would.
class Field : public InlineSearchView {
public:
    void showSearch() override {}
    void showCursor() override {}
    void hideSearch() override { ++hides; }
    void commit(const std::string& text) override {
        commits.push_back(text);
        document += text;
    }
    void openPicker() override { ++pickers; }

    std::string document;
    std::vector<std::string> commits;
    int hides = 0;
    int pickers = 0;
};

const std::map<std::string, Key> namedKeys{
    {"Return", Key(keysym::returnKey)},
    {"KP_Enter", Key(keysym::keypadEnter)},
    {"Tab", Key(keysym::tab)},
    {"Shift+Tab", Key(keysym::isoLeftTab, Modifier::shift)},
    {"Escape", Key(keysym::escape)},
    {"BackSpace", Key(keysym::backSpace)},
    {"Up", Key(keysym::up)},
    {"Down", Key(keysym::down)},
    {"Left", Key(keysym::left)},
    {"Page_Up", Key(keysym::pageUp)},
    {"Page_Down", Key(keysym::pageDown)},
    {"KP_Page_Down", Key(keysym::keypadPageDown)},
    {"Home", Key(keysym::home)},
    {"Shift", Key(0xffe1)},
    {"Ctrl+c", Key(keysym::letter('c'), Modifier::ctrl)},
    {"Ctrl+KP_3", Key(keysym::keypadDigit(3), Modifier::ctrl)},
    {"Ctrl+Alt+2", Key(keysym::digit(2), Modifier::ctrl | Modifier::alt, 2)},
};

class InlineSearchSessionTest : public ::testing::Test {
protected:
    void write(const DefaultsStore::Entries& entries) { SettingsFile(path, {}).write(entries); }
    TriggerSettings stored() const { return TriggerSettings::load(SettingsFile(path, {})); }
    std::vector<const EmojiItem*> ranked(const std::string& query) const {
        const TriggerSettings now = stored();
        return englishCatalog().search(query, std::nullopt, now.favorites, now.emojiUsage,
                                       now.recents);
    }

    // One press, as a US keyboard types it; what the application does with a key passed on.
    bool press(const Key& key, const std::string& text,
               InlineSearchSession::Field where = {"gedit", false}) {
        const bool used = session.keyPressed(key, text, where);
        if (!used) {
            if (QueryKey::of(key, text).kind == Kind::text) {
                field.document += text;
            } else if (key.sym == keysym::returnKey) {
                field.document += '\n';
            } else if (key.sym == keysym::tab) {
                field.document += '\t';
            }
        }
        return used;
    }
    // Named keys ("Down", "Ctrl+2"), else each character of the name as the key typing it.
    void keys(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            if (const auto named = namedKeys.find(name); named != namedKeys.end()) {
                press(named->second, {});
            } else if (name.starts_with("Ctrl+") || name.starts_with("Super+")) {
                const int digit = name.back() - '0';
                press(Key(keysym::digit(digit), name[0] == 'C' ? Modifier::ctrl : Modifier::super,
                          digit),
                      {});
            } else {
                type(name);
            }
        }
    }
    void type(const std::string& text, InlineSearchSession::Field where = {"gedit", false}) {
        for (const char32_t c : unicode::scalars(text)) {
            if (c == '\n') {
                press(Key(keysym::returnKey), "\r", where);
            } else if (c == '\t') {
                press(Key(keysym::tab), "\t", where);
            } else {
                const std::string one = unicode::toUtf8(std::u32string(1, c));
                const KeySym sym = c < 0x80 ? static_cast<KeySym>(c) : 0x01000000 + c;
                const bool upper = c >= 'A' && c <= 'Z';
                press(Key(sym, upper ? Modifiers(Modifier::shift) : Modifiers{}), one, where);
            }
        }
    }
    // The document after ";query" and `keys` on an empty one; the search ended, and hid.
    std::string search(const std::string& query, const std::vector<std::string>& then) {
        field.document.clear();
        field.commits.clear();
        const int hidden = field.hides;
        type(";" + query);
        keys(then);
        EXPECT_FALSE(session.active()) << query;
        EXPECT_EQ(field.hides, hidden + 1) << query;
        EXPECT_LE(field.commits.size(), 1u) << query;
        return field.document;
    }

    test::TempDir dir;
    std::filesystem::path path = dir.path() / "tiklo" / "defaults.plist";
    SettingsFileWatch settings{path, {}};
    Field field;
    InlineSearchSession session{settings, []() -> const EmojiCatalog& { return englishCatalog(); },
                                field, [] { return 8.0e8; }};
};

// The prefix opens a search over the shared ranking; keys choose (Return, keypad Enter,
// Ctrl or Super with a digit of the page shown, keypad digits too), move (stopping at either
// end, Page keys by nine) and end it (Escape keeps the text; BackSpace edits, then takes the
// prefix; leaving the field keeps it). A number past the last result and keys with no place
// in a query change nothing.
TEST_F(InlineSearchSessionTest, KeysChooseMoveAndEndTheSearch) {
    ASSERT_EQ(ranked("fire")[0]->emoji, fire);
    const std::size_t fires = ranked("fire").size();
    const std::size_t fireworks = ranked("firework").size();
    ASSERT_LT(fireworks, 9u);
    ASSERT_GT(ranked("heart").size(), 27u);
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

    EXPECT_EQ(search("fire", {"Return"}), fire);
    chooses("fire", {"Down", "Return"}, 1);
    chooses("fire", {"Down", "Down", "Up", "KP_Enter"}, 1);
    chooses("fire", {"Ctrl+2"}, 1);
    chooses("fire", {"Super+3"}, 2);
    chooses("fire", {"Ctrl+KP_3"}, 2);
    chooses("fire", {"Up", "Left", "Home", "Return"}, 0);
    std::vector<std::string> toTheEnd(fires + 2, "Down");
    toTheEnd.push_back("Return");
    chooses("fire", toTheEnd, fires - 1);

    type(";firework");
    keys({"Ctrl+" + std::to_string(fireworks + 1)});
    EXPECT_TRUE(session.active());
    keys({"Escape"});
    chooses("firework", {"Ctrl+" + std::to_string(fireworks)}, fireworks - 1);

    // Page Down moves nine on and the numbers count on the new page; Up goes back a page.
    type(";heart");
    keys({"Page_Down"});
    EXPECT_EQ(session.cursor(), 9u);
    keys({"Up"});
    EXPECT_EQ(session.cursor(), 8u);
    keys({"KP_Page_Down", "Page_Down"});
    EXPECT_EQ(session.cursor(), 26u);
    keys({"Escape"});
    chooses("heart", {"Page_Down", "Ctrl+1"}, 9);
    chooses("heart", {"Down", "Page_Up", "Return"}, 0);

    EXPECT_EQ(search("fi", {"Escape"}), ";fi");
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
    EXPECT_FALSE(press(namedKeys.at("Ctrl+c"), {}));
    EXPECT_FALSE(press(namedKeys.at("Shift"), {}));
    EXPECT_EQ(session.preedit(), ";f");
    // Ctrl+Alt with a digit is the desktop's, never a choice.
    EXPECT_FALSE(press(namedKeys.at("Ctrl+Alt+2"), {}));
    EXPECT_TRUE(session.active());
    field.document.clear();
    keys({"Escape"});
    EXPECT_EQ(field.document, ";f");

    // Leaving the field keeps what was typed exactly once: the field's own preedit, or a commit.
    field.commits.clear();
    type(";f");
    session.leave(false);
    EXPECT_EQ(field.commits, std::vector<std::string>{";f"});
    EXPECT_FALSE(session.active());
    type(";f");
    session.leave(true);
    session.leave(false);
    EXPECT_EQ(field.commits.size(), 1u) << "no search, nothing to keep";
    EXPECT_FALSE(session.active());
    EXPECT_FALSE(press(Key('a'), "a"));
}

// The prefix as punctuation: prose, winks, code and shell lines reach the document exactly as
// typed, with the key that ended the search; searches in the same lines still insert.
TEST_F(InlineSearchSessionTest, PunctuationStaysAsTypedAndSearchesStillInsert) {
    const auto typed = [&](const std::string& line, const std::vector<std::string>& then = {}) {
        field.document.clear();
        type(line);
        keys(then);
        EXPECT_FALSE(session.active()) << line;
        return field.document;
    };
    for (const std::string line :
         {"one; two", "wink ;) ok", "a ;-) b", "so ;D nice", "yes ;P, ok", "x = 1;\n",
          "for(i=0;i<n;i++)", "cd a; ls", "a=1;b=2", "a;\tb", ";;", "; ", ";\n"}) {
        EXPECT_EQ(typed(line), line);
    }
    EXPECT_EQ(typed("a;", {"Shift+Tab"}), "a;");
    EXPECT_EQ(stored().recents.size(), 0u) << "punctuation teaches nothing";
    EXPECT_EQ(typed("hot ;fire", {"Return"}), "hot " + fire);
    EXPECT_EQ(typed("ok ;thumbs up", {"Return"}), "ok " + thumbsUp);
    EXPECT_EQ(typed("ok ;+1", {"Ctrl+1"}), "ok " + thumbsUp);
    // A search that found nothing, ended by Return, was a line of text.
    EXPECT_EQ(typed("see ;xyzzy", {"Return"}), "see ;xyzzy\n");
    // Return right after the prefix ends a line; after any other key it chooses.
    const std::string second = ranked("")[1]->emoji;
    EXPECT_EQ(typed(";", {"Down", "Return"}), second);
}

// The settings window writes the file meanwhile: each change counts from the next key. Never
// in a secret field, in the programs the user excluded, in Tiklo's own windows, or while Tiklo
// is off; elsewhere as usual. The picker's shortcut asks for the picker wherever a program is
// there to open it, except in Tiklo's own windows, search on or off. The candidates and the
// commit show the tone chosen for the emoji, else the default one.
TEST_F(InlineSearchSessionTest, TheSettingsFileDecidesWhereAndHowItServesFromTheNextKey) {
    write({{"excludedBundleIDs", DefaultsStore::Data{R"(["keepass","org.gnome.Terminal"])"}}});
    const auto opens = [&](InlineSearchSession::Field where) {
        const bool taken = press(Key(';'), ";", where);
        EXPECT_EQ(taken, session.active());
        session.leave(true);
        return taken;
    };
    EXPECT_FALSE(opens({"gedit", true}));
    EXPECT_FALSE(opens({"keepass", false}));
    EXPECT_FALSE(opens({"org.gnome.Terminal", false}));
    EXPECT_FALSE(opens({"tiklo", false}));
    EXPECT_TRUE(opens({"keepassxc", false}));
    EXPECT_TRUE(opens({"", false}));

    const Key ctrlAltE(keysym::letter('e'), Modifier::ctrl | Modifier::alt);
    EXPECT_FALSE(press(ctrlAltE, {})) << "no program to open the picker";
    session.setPickerAvailable(true);
    EXPECT_FALSE(press(ctrlAltE, {}, {"tiklo", false}));
    EXPECT_FALSE(press(Key(keysym::letter('e'), Modifier::ctrl), {}));
    EXPECT_EQ(field.pickers, 0);
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
    EXPECT_EQ(session.preedit(), "/thumbs up");
    EXPECT_EQ(session.candidate(0).emoji, thumbsUp + "\U0001F3FF");
    keys({"Return"});
    EXPECT_EQ(field.document, ";a " + thumbsUp + "\U0001F3FF ");

    write({{"emojiSkinTones", DefaultsStore::Data{R"({")" + thumbsUp + R"(":"light"})"}},
           {"insertSpaceAfterTrigger", false}});
    field.document.clear();
    type("/+1");
    keys({"Return"});
    EXPECT_EQ(field.document, thumbsUp + "\U0001F3FB");
}

// A choice is learnt into the file after its commit, at the session's clock; the next search
// ranks by it and by favorites the settings window wrote.
TEST_F(InlineSearchSessionTest, ChoicesAreLearntInTheSettingsFileAndRankTheNextSearch) {
    write({{"recents", DefaultsStore::Data{R"(["tada"])"}}});
    const std::vector<const EmojiItem*> before = ranked("fire");
    const EmojiItem& second = *before[1];
    EXPECT_EQ(search("fire", {"Down", "Return"}), second.emoji);
    const SettingsFile file(path, {});
    EXPECT_EQ(file.dataValue("recents"), nlohmann::json::array({second.id(), "tada"}).dump());
    const auto usage = nlohmann::json::parse(file.dataValue("emojiUsage").value_or("{}"));
    EXPECT_EQ(usage[second.emoji]["count"], 1);
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
    const Modifiers none;
    std::vector<Row> rows{
        {Key(keysym::returnKey), "\r", k(Kind::confirm)},
        {Key(keysym::keypadEnter), "\r", k(Kind::confirm)},
        {Key(keysym::linefeed), "\n", k(Kind::confirm)},
        {Key(keysym::returnKey, Modifier::shift), "\r", k(Kind::confirm)},
        {Key(keysym::tab), "\t", k(Kind::tab)},
        {Key(keysym::isoLeftTab, Modifier::shift), {}, k(Kind::tab)},
        {Key(keysym::keypadTab), "\t", k(Kind::tab)},
        {Key(keysym::escape), "\x1b", k(Kind::cancel)},
        {Key(keysym::backSpace), "\b", k(Kind::erase)},
        {Key(keysym::up), {}, k(Kind::up)},
        {Key(keysym::keypadUp), {}, k(Kind::up)},
        {Key(keysym::down), {}, k(Kind::down)},
        {Key(keysym::keypadDown), {}, k(Kind::down)},
        {Key(keysym::left), {}, k(Kind::left)},
        {Key(keysym::keypadLeft), {}, k(Kind::left)},
        {Key(keysym::right), {}, k(Kind::right)},
        {Key(keysym::keypadRight), {}, k(Kind::right)},
        {Key(keysym::pageUp), {}, k(Kind::pageUp)},
        {Key(keysym::keypadPageUp), {}, k(Kind::pageUp)},
        {Key(keysym::pageDown), {}, k(Kind::pageDown)},
        {Key(keysym::keypadPageDown), {}, k(Kind::pageDown)},
        {Key(keysym::home), {}, k(Kind::other)},
        {Key(keysym::del), "\x7f", k(Kind::other)},
        {Key(keysym::function(1)), {}, k(Kind::other)},
        {Key(0xffe1), {}, k(Kind::modifier)},
        {Key(0xffe3, Modifier::ctrl), {}, k(Kind::modifier)},
        {Key(0xfe03), {}, k(Kind::modifier)}, // ISO_Level3_Shift, AltGr
        {Key('a'), "a", k(Kind::text, "a")},
        {Key('A', Modifier::shift), "A", k(Kind::text, "A")},
        {Key(' '), " ", k(Kind::text, " ")},
        {Key(0x01000000 + 0xe9), "\u00e9", k(Kind::text, "\u00e9")},
        {Key(keysym::digit(1), none, 1), "1", k(Kind::text, "1")},
        {Key(keysym::keypadDigit(1)), "1", k(Kind::text, "1")},
        {Key('c', Modifier::ctrl), "\x03", k(Kind::shortcut)},
        {Key('e', Modifier::ctrl | Modifier::alt), {}, k(Kind::shortcut)},
        {Key('e', Modifier::super), {}, k(Kind::shortcut)},
        {Key(keysym::returnKey, Modifier::ctrl), {}, k(Kind::shortcut)},
        {Key(keysym::escape, Modifier::alt), {}, k(Kind::shortcut)},
        {Key(keysym::digit(0), Modifier::ctrl, 10), {}, k(Kind::shortcut)},
        {Key(keysym::keypadDigit(0), Modifier::ctrl), {}, k(Kind::shortcut)},
    };
    // Every choice: by place on the digit row whatever the key types there (AZERTY's "&"),
    // by the digit where no place is known, and on the keypad; with Ctrl or Super, with Shift
    // too, never with Alt.
    for (int digit = 1; digit <= 9; ++digit) {
        const QueryKey choice = k(Kind::choose, {}, digit);
        const KeySym sym = keysym::digit(digit);
        rows.push_back({Key('&', Modifier::ctrl, digit), {}, choice});
        rows.push_back({Key(sym, Modifier::super | Modifier::shift, digit), {}, choice});
        rows.push_back({Key(sym, Modifier::ctrl), {}, choice});
        rows.push_back({Key(keysym::keypadDigit(digit), Modifier::ctrl), {}, choice});
        rows.push_back({Key(sym, Modifier::ctrl | Modifier::alt, digit), {}, k(Kind::shortcut)});
        rows.push_back({Key(sym, Modifier::shift, digit), "!", k(Kind::text, "!")});
    }
    for (const Row& row : rows) {
        const QueryKey got = QueryKey::of(row.key, row.text);
        EXPECT_EQ(got, row.expected)
            << "keysym 0x" << std::hex << row.key.sym << std::dec << " place " << row.key.digitRow
            << " kind " << static_cast<int>(got.kind) << " choice " << got.choice;
    }
}

} // namespace
} // namespace tiklo
