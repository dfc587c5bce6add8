// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/EmojiCatalog.h"
#include "core/SettingsFile.h"
#include "core/TriggerSettings.h"
#include "support/ChildProcess.h"
#include "support/Poll.h"
#include "support/PrivateBusConfig.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <ibus.h>

#include <gtest/gtest.h>

namespace tiklo {
namespace {

using namespace std::chrono_literals;

// Evdev codes, as IBus reports keys.
constexpr unsigned escapeCode = 1;
constexpr unsigned semicolonCode = 39;
constexpr unsigned firstDigitRowCode = 2;
constexpr unsigned letterCodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                      49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

// What the application sees of the engine through its input context.
struct Field {
    IBusInputContext* context = nullptr;
    std::vector<std::string> commits;
    std::string preedit;
    std::vector<std::string> labels;
    std::vector<std::string> candidates;

    // One press and release; whether the engine took the press.
    bool press(unsigned keyval, unsigned code, unsigned state = 0) {
        const bool handled =
            ibus_input_context_process_key_event(context, keyval, code, state) != FALSE;
        ibus_input_context_process_key_event(context, keyval, code, state | IBUS_RELEASE_MASK);
        // The engine's signals come before its answers: they are queued by now.
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        return handled;
    }
    void type(const std::string& ascii) {
        for (char c : ascii) {
            press(static_cast<unsigned char>(c), c == ';' ? semicolonCode : letterCodes[c - 'a']);
        }
    }
};

// The search's behaviour is the session's own test's; here that ibus-daemon wires it: the
// search shown as preedit and a lookup table labelled 1 to 9, Ctrl with the digit row's place
// (evdev codes, whatever the layout types there) committing the ranked emoji, a reset leaving
// what was typed once, and plain typing passing. (Return, a password field, and the program
// standing aside only while the engine serves a real field, are InputMethodX11Test's.)
TEST(TikloIbusEngineTest, SearchesThroughIbusDaemon) {
    if (test::ChildProcess::run({"ibus-daemon", "--version"}).status != 0) {
        GTEST_SKIP() << "ibus-daemon is not installed";
    }
    const test::TempDir home;
    const std::filesystem::path settings = home.path() / "config" / "tiklo" / "defaults.plist";
    const auto ranked = [&](const std::string& query) {
        const TriggerSettings now = TriggerSettings::load(SettingsFile(settings, {}));
        return EmojiCatalog::shared().inlineSearch(query, now.favorites, now.emojiUsage,
                                                   now.recents);
    };
    test::ScopedEnvironment environment;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "IBUS_ADDRESS"}) {
        environment.set(name, std::nullopt);
    }
    environment.set("HOME", home.path().string());
    environment.set("XDG_CONFIG_HOME", (home.path() / "config").string());
    environment.set("XDG_CACHE_HOME", (home.path() / "cache").string());
    environment.set("GSETTINGS_BACKEND", "memory");
    environment.set("IBUS_ADDRESS_FILE", home.file("ibus-address"));
    environment.set("IBUS_COMPONENT_PATH", TIKLO_IBUS_COMPONENT_DIR);
    const std::string busConfig =
        home.write("bus.conf", test::privateBusConfig("unix:tmpdir=" + home.path().string()));
    test::ChildProcess dbus(
        {"dbus-daemon", "--config-file=" + busConfig, "--nofork", "--print-address={fd}"},
        {.output = test::ChildProcess::Stream::discard, .reportPipe = true});
    const std::optional<std::string> busAddress = dbus.readReportLine(5s);
    ASSERT_TRUE(busAddress) << "dbus-daemon reported no address";
    environment.set("DBUS_SESSION_BUS_ADDRESS", *busAddress);
    test::ChildProcess daemon(
        {"ibus-daemon", "--single", "--panel=disable", "--emoji-extension=disable", "--cache=none"},
        {.output = test::ChildProcess::Stream::discard});

    ibus_init();
    IBusBus* bus = ibus_bus_new();
    const bool connected = test::pollFor(
        [&] {
            g_main_context_iteration(nullptr, FALSE);
            return ibus_bus_is_connected(bus) != FALSE;
        },
        10s);
    ASSERT_TRUE(connected) << "ibus-daemon did not start";
    Field field;
    field.context = ibus_bus_create_input_context(bus, "ibus_tests");
    ASSERT_NE(field.context, nullptr);
    ibus_input_context_set_capabilities(field.context, IBUS_CAP_PREEDIT_TEXT |
                                                           IBUS_CAP_LOOKUP_TABLE | IBUS_CAP_FOCUS);
    g_signal_connect(field.context, "commit-text",
                     G_CALLBACK(+[](IBusInputContext*, IBusText* text, Field* f) {
                         f->commits.emplace_back(ibus_text_get_text(text));
                     }),
                     &field);
    g_signal_connect(
        field.context, "update-preedit-text",
        G_CALLBACK(+[](IBusInputContext*, IBusText* text, guint, gboolean visible, Field* f) {
            f->preedit = visible ? ibus_text_get_text(text) : "";
        }),
        &field);
    g_signal_connect(field.context, "hide-preedit-text",
                     G_CALLBACK(+[](IBusInputContext*, Field* f) { f->preedit.clear(); }), &field);
    g_signal_connect(field.context, "update-lookup-table",
                     G_CALLBACK(+[](IBusInputContext*, IBusLookupTable* table, gboolean, Field* f) {
                         f->labels.clear();
                         f->candidates.clear();
                         for (guint i = 0; i < ibus_lookup_table_get_number_of_candidates(table);
                              ++i) {
                             IBusText* label = ibus_lookup_table_get_label(table, i);
                             f->labels.emplace_back(label ? ibus_text_get_text(label) : "");
                             f->candidates.emplace_back(
                                 ibus_text_get_text(ibus_lookup_table_get_candidate(table, i)));
                         }
                     }),
                     &field);
    ibus_input_context_focus_in(field.context);
    ibus_input_context_set_engine(field.context, "tiklo");
    const bool engineRuns = test::pollFor(
        [&] {
            g_main_context_iteration(nullptr, FALSE);
            IBusEngineDesc* engine = ibus_input_context_get_engine(field.context);
            if (engine == nullptr) {
                return false;
            }
            g_object_ref_sink(engine);
            const bool ours = std::string(ibus_engine_desc_get_name(engine)) == "tiklo";
            g_object_unref(engine);
            return ours;
        },
        10s);
    ASSERT_TRUE(engineRuns) << "ibus-daemon did not start the engine";
    // ";" alone shows its results only after a pause, so that punctuation shows no list;
    // Escape then leaves it as typed.
    EXPECT_TRUE(field.press(';', semicolonCode));
    EXPECT_EQ(field.preedit, ";");
    EXPECT_TRUE(field.candidates.empty());
    EXPECT_TRUE(test::pollFor(
        [&] {
            g_main_context_iteration(nullptr, FALSE);
            return field.candidates.size() == 9;
        },
        5s));
    EXPECT_TRUE(field.press(IBUS_KEY_Escape, escapeCode));
    EXPECT_EQ(field.commits, std::vector<std::string>{";"});
    field.commits.clear();

    EXPECT_TRUE(field.press(';', semicolonCode));
    field.type("fire");
    EXPECT_EQ(field.preedit, ";fire");
    const std::vector<const EmojiItem*> fire = ranked("fire");
    ASSERT_GE(fire.size(), 9u);
    EXPECT_EQ(field.labels,
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    ASSERT_EQ(field.candidates.size(), 9u);
    EXPECT_EQ(field.candidates[0].rfind(fire[0]->emoji, 0), 0u);
    // ibus-daemon commits the preedit shown, and the engine must not: a plain key, answered
    // after the reset, brings anything the engine sent meanwhile.
    ibus_input_context_reset(field.context);
    EXPECT_FALSE(field.press('a', letterCodes[0]));
    EXPECT_EQ(field.commits, std::vector<std::string>{";fire"});
    EXPECT_EQ(field.preedit, "");

    // What AZERTY types in the digit row's places, 1 to 9.
    const unsigned azerty[] = {IBUS_KEY_ampersand,  IBUS_KEY_eacute,     IBUS_KEY_quotedbl,
                               IBUS_KEY_apostrophe, IBUS_KEY_parenleft,  IBUS_KEY_minus,
                               IBUS_KEY_egrave,     IBUS_KEY_underscore, IBUS_KEY_ccedilla};
    for (unsigned digit = 1; digit <= 9; ++digit) {
        const std::vector<const EmojiItem*> expected = ranked("fi");
        ASSERT_GE(expected.size(), 9u);
        field.commits.clear();
        field.type(";fi");
        EXPECT_TRUE(
            field.press(azerty[digit - 1], firstDigitRowCode + digit - 1, IBUS_CONTROL_MASK))
            << digit;
        EXPECT_EQ(field.commits, std::vector<std::string>{expected[digit - 1]->emoji}) << digit;
    }

    g_object_unref(field.context);
    g_object_unref(bus);
}

} // namespace
} // namespace tiklo
