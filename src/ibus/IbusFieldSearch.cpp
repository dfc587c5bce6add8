// SPDX-License-Identifier: GPL-3.0-or-later
#include "ibus/IbusFieldSearch.h"

#include "ibus/IbusKeys.h"
#include "ibus/IbusProgramLink.h"

#include <algorithm>

namespace tiklo {
namespace {

constexpr auto pageSize = static_cast<std::size_t>(InlineSearchSession::pageSize);

IBusText* textOf(const std::string& utf8) {
    return ibus_text_new_from_string(utf8.c_str());
}

} // namespace

IbusFieldSearch::IbusFieldSearch(IBusEngine* engine, SettingsFileWatch& settings,
                                 IbusProgramLink& link)
    : engine_(engine), link_(link),
      session_(
          settings, []() -> const EmojiCatalog& { return EmojiCatalog::shared(); }, *this) {}

IbusFieldSearch::~IbusFieldSearch() {
    stopPause();
    link_.forget(*this);
}

InlineSearchSession::Field IbusFieldSearch::field() const {
    guint purpose = IBUS_INPUT_PURPOSE_FREE_FORM;
    guint hints = IBUS_INPUT_HINT_NONE;
    ibus_engine_get_content_type(engine_, &purpose, &hints);
    const bool secret = purpose == IBUS_INPUT_PURPOSE_PASSWORD ||
                        purpose == IBUS_INPUT_PURPOSE_PIN || (hints & IBUS_INPUT_HINT_PRIVATE) != 0;
    // IBus cannot tell which program a field belongs to: only the program's word does, for
    // its own windows.
    return {link_.ownWindowActive() ? InlineSearchSession::ownProgram : std::string_view(), secret};
}

bool IbusFieldSearch::askForPicker() {
    session_.setPickerAvailable(link_.pickerAvailable());
    return session_.askForPicker(field());
}

bool IbusFieldSearch::keyEvent(unsigned keyval, unsigned keycode, unsigned state) {
    if ((state & IBUS_RELEASE_MASK) != 0) {
        return false;
    }
    session_.setPickerAvailable(link_.pickerAvailable());
    return session_.keyPressed(IbusKeys::toKey(keyval, keycode, state), IbusKeys::text(keyval),
                               field());
}

void IbusFieldSearch::candidateClicked(unsigned index) {
    if (index >= pageSize) {
        return;
    }
    session_.choose(session_.cursor() / pageSize * pageSize + index);
}

void IbusFieldSearch::focusIn() {
    // A search still open missed its field's focus out, and with it the field's commit of
    // the preedit: the preedit went with that field, whatever it did with it.
    session_.leave(true);
    link_.focusedIn(*this);
}

void IbusFieldSearch::focusOut() {
    leave();
    link_.focusedOut(*this);
}

void IbusFieldSearch::leave() {
    // The preedit is shown in commit mode: on a focus out, a reset, a disable or an engine
    // switch, ibus-daemon (or a client that commits preedit itself) commits it before telling
    // the engine. Committing it here too would type the query twice.
    session_.leave(true);
}

void IbusFieldSearch::setEnabled(bool enabled) {
    leave();
    link_.setEnabled(*this, enabled);
}

void IbusFieldSearch::commitPicked(const std::string& text) {
    ibus_engine_commit_text(engine_, textOf(text));
}

void IbusFieldSearch::showSearch() {
    const std::string preedit = session_.preedit();
    IBusText* shown = textOf(preedit);
    const auto length = static_cast<guint>(g_utf8_strlen(preedit.c_str(), -1));
    ibus_text_append_attribute(shown, IBUS_ATTR_TYPE_UNDERLINE, IBUS_ATTR_UNDERLINE_SINGLE, 0,
                               length);
    ibus_engine_update_preedit_text_with_mode(engine_, shown, length, TRUE,
                                              IBUS_ENGINE_PREEDIT_COMMIT);
    showCursor();
}

void IbusFieldSearch::awaitPause(std::chrono::milliseconds pause) {
    stopPause();
    pause_ = g_timeout_add(
        static_cast<guint>(pause.count()),
        [](gpointer data) -> gboolean {
            auto* search = static_cast<IbusFieldSearch*>(data);
            search->pause_ = 0;
            search->session_.pauseEnded();
            return G_SOURCE_REMOVE;
        },
        this);
}

void IbusFieldSearch::stopPause() {
    if (pause_ != 0) {
        g_source_remove(pause_);
        pause_ = 0;
    }
}

void IbusFieldSearch::showCursor() {
    const std::size_t count = session_.candidateCount();
    if (count == 0 || !session_.candidatesShown()) {
        ibus_engine_hide_lookup_table(engine_);
        return;
    }
    // Only the page shown goes to IBus: the whole ranking would cross the bus twice at every
    // key. Paging is the search's own (Page Up and Down), so the page is all there is to draw.
    const std::size_t cursor = session_.cursor();
    const std::size_t first = cursor / pageSize * pageSize;
    const std::size_t end = std::min(count, first + pageSize);
    IBusLookupTable* table = ibus_lookup_table_new(InlineSearchSession::pageSize, 0, TRUE, FALSE);
    ibus_lookup_table_set_orientation(table, IBUS_ORIENTATION_VERTICAL);
    for (std::size_t index = first; index < end; ++index) {
        const InlineSearchSession::Candidate candidate = session_.candidate(index);
        ibus_lookup_table_append_candidate(table, textOf(candidate.emoji + "  " + candidate.name));
        ibus_lookup_table_set_label(table, static_cast<guint>(index - first),
                                    textOf(std::to_string(index - first + 1)));
    }
    ibus_lookup_table_set_cursor_pos(table, static_cast<guint>(cursor - first));
    ibus_engine_update_lookup_table(engine_, table, TRUE);
}

void IbusFieldSearch::hideSearch() {
    stopPause();
    ibus_engine_update_preedit_text_with_mode(engine_, textOf({}), 0, FALSE,
                                              IBUS_ENGINE_PREEDIT_CLEAR);
    ibus_engine_hide_lookup_table(engine_);
}

void IbusFieldSearch::commit(const std::string& text) {
    ibus_engine_commit_text(engine_, textOf(text));
}

void IbusFieldSearch::openPicker(const std::optional<NamedGroup>& group) {
    link_.requestPicker(*this, group);
}

} // namespace tiklo
