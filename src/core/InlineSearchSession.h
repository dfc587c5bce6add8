// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/EmojiCatalog.h"
#include "core/InlineSearchView.h"
#include "core/Key.h"
#include "core/SettingsFileWatch.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tiklo {

// Semicolon search inside an input method, whichever one: the trigger prefix opens a search
// in the focused field, the keys after it are the query (shown as preedit) or choose among the
// ranked results, and the chosen emoji, or the text as typed when the search gives way,
// replaces the preedit. Keys come in as neutral keys; what to show and commit goes out through
// the view. Settings are read from the settings file at every key, and choices are learnt
// into it. Never logs a key, a query or a text.
class InlineSearchSession {
public:
    // Candidates per page: the choices 1 to 9.
    static constexpr int pageSize = 9;
    // The program name of Tiklo's own windows, which search never serves.
    static constexpr std::string_view ownProgram = "tiklo";
    // The candidates show at the first key of a search, or after this pause on the prefix
    // alone. The key after a ";" that is punctuation (a space, a line end) follows it sooner:
    // the average interval between keys is about 240 ms, and 500 ms is that of someone typing
    // 24 words a minute. Waiting on purpose, half a second is still well short of the second
    // after which a wait breaks the flow.
    static constexpr std::chrono::milliseconds searchPause{500};

    // The field that has the focus, as the input method knows it.
    struct Field {
        std::string_view program; // the application's name or id ("gedit"); may be empty
        bool secret = false;      // a password or PIN, or marked private
    };

    // One result as shown: the emoji as it would be typed (in its tone), and its name; or a
    // row that opens a whole group in the full picker, by a sample of it and its title.
    struct Candidate {
        std::string emoji;
        std::string name;
        bool opensGroup = false;
    };

    // The catalog, asked for when a search opens: a process that is still building it waits
    // then, not at every key.
    using CatalogSource = std::function<const EmojiCatalog&()>;

    InlineSearchSession(SettingsFileWatch& settings, CatalogSource catalog, InlineSearchView& view,
                        Clock clock = secondsSinceReferenceDate);

    // A key pressed in `field`, typing `text` (UTF-8; empty for a key that types nothing).
    // True: the search used it, and it goes no further. False: it goes on to the application,
    // after anything committed meanwhile. Key releases are never the search's.
    bool keyPressed(const Key& key, std::string_view text, const Field& field);
    // The result at `index` (among all, not the page) was chosen, by a click, say;
    // `alternate`: in its alternate form (EmojiItem::typedText).
    void choose(std::size_t index, bool alternate = false);
    // The field lost the focus or was reset: what was typed stays typed. `fieldKeepsPreedit`:
    // the field itself commits the preedit it shows (or has already), so nothing is committed.
    void leave(bool fieldKeepsPreedit);
    // Whether a program is there to open the full picker: without one its shortcut is the
    // application's.
    void setPickerAvailable(bool available) { pickerAvailable_ = available; }
    // The full picker asked for in `field`, by its shortcut or by the program opening it of its
    // own accord (a second launch): whether the field asked for it (never in Tiklo's own
    // windows, nor without a program to open it).
    bool askForPicker(const Field& field);

    // The pause after the prefix ended (see InlineSearchView::awaitPause).
    void pauseEnded();

    bool active() const { return active_; }
    // Whether the candidates are to be seen: the query holds a search, or the prefix was
    // paused on. Until then only the preedit shows, so that punctuation flashes no list.
    bool candidatesShown() const { return active_ && candidatesShown_; }
    // The prefix and the query, as typed.
    std::string preedit() const { return prefix_ + query_; }
    std::size_t candidateCount() const { return results_.size() + (group_ ? 1 : 0); }
    Candidate candidate(std::size_t index) const;
    // The result under the cursor, among all; pages are `pageSize` long.
    std::size_t cursor() const { return cursor_; }

private:
    bool serves(const Field& field, const TriggerSettings& settings) const;
    bool searchKey(const Key& key, std::string_view text);
    void refresh();
    void moveCursor(long delta);
    void finish(const std::string& text);
    // Where the row of the group the query names goes (namedGroupRow).
    std::size_t groupRow() const;
    // The item at a candidate's index other than the group's row.
    const EmojiItem& itemAt(std::size_t index) const;

    SettingsFileWatch& settings_;
    CatalogSource catalog_;
    InlineSearchView& view_;
    Clock clock_;
    bool pickerAvailable_ = false;

    bool active_ = false;
    std::string prefix_;
    std::string query_;
    // No key has come since the prefix.
    bool firstKey_ = true;
    bool candidatesShown_ = false;
    std::vector<const EmojiItem*> results_;
    std::optional<NamedGroup> group_;
    std::size_t cursor_ = 0;
};

} // namespace tiklo
