// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/InlineSearchSession.h"

#include <ibus.h>

#include <string>

namespace tiklo {

class IbusProgramLink;

// Semicolon search behind one IBus engine object: the shared session, shown through IBus.
// The query is the field's underlined preedit, committed by IBus or the field if the focus
// goes; the results are the current page of IBus's lookup table, labelled 1 to 9.
class IbusFieldSearch : private InlineSearchView {
public:
    IbusFieldSearch(IBusEngine* engine, SettingsFileWatch& settings, IbusProgramLink& link);
    ~IbusFieldSearch() override;
    IbusFieldSearch(const IbusFieldSearch&) = delete;
    IbusFieldSearch& operator=(const IbusFieldSearch&) = delete;

    // A key press or release as IBus reports it; whether the search used it.
    bool keyEvent(unsigned keyval, unsigned keycode, unsigned state);
    // The candidate at `index` on the page shown was clicked.
    void candidateClicked(unsigned index);
    void focusIn();
    void focusOut();
    // The field was reset: IBus has committed the preedit already.
    void leave();
    // The engine was enabled (its input source chosen) or disabled.
    void setEnabled(bool enabled);
    // Text from the full picker this field asked for.
    void commitPicked(const std::string& text);
    // The program opens the picker of its own accord: whether this field asks for it, as its
    // shortcut would.
    bool askForPicker();

private:
    void showSearch() override;
    void awaitPause(std::chrono::milliseconds pause) override;
    void showCursor() override;
    void hideSearch() override;
    void stopPause();
    void commit(const std::string& text) override;
    void openPicker(const std::optional<NamedGroup>& group) override;
    // The field as the shared session judges it.
    InlineSearchSession::Field field() const;

    IBusEngine* engine_;
    IbusProgramLink& link_;
    InlineSearchSession session_;
    // The GLib source of the pause awaited, or 0.
    guint pause_ = 0;
};

} // namespace tiklo
