// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/InlineSearchSession.h"

#include "core/GiveWayRule.h"
#include "core/QueryKey.h"

#include <algorithm>
#include <utility>

namespace tiklo {
namespace {

// Removes the last character (a whole UTF-8 sequence) of `text`.
void removeLastCharacter(std::string& text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
        text.pop_back();
    }
    if (!text.empty()) {
        text.pop_back();
    }
}

} // namespace

InlineSearchSession::InlineSearchSession(SettingsFileWatch& settings, CatalogSource catalog,
                                         InlineSearchView& view, Clock clock)
    : settings_(settings), catalog_(std::move(catalog)), view_(view), clock_(std::move(clock)) {}

bool InlineSearchSession::serves(const Field& field, const TriggerSettings& settings) const {
    return settings.masterEnabled && !field.secret && field.program != ownProgram &&
           !settings.excludes(std::string(field.program));
}

bool InlineSearchSession::askForPicker(const Field& field) {
    if (!pickerAvailable_ || field.program == ownProgram) {
        return false;
    }
    view_.openPicker(std::nullopt);
    return true;
}

bool InlineSearchSession::keyPressed(const Key& key, std::string_view text, const Field& field) {
    if (active_) {
        return searchKey(key, text);
    }
    // This runs for every key typed in every field: the cheap tests first.
    if (key.modifiers.any(QueryKey::shortcutKeys)) {
        // Whether or not search is on, as the program's own shortcut.
        return settings_.current().hotkey.isTypedAs(key) && askForPicker(field);
    }
    if (text.empty()) {
        return false;
    }
    const TriggerSettings& settings = settings_.current();
    if (text != settings.triggerPrefix || !serves(field, settings)) {
        return false;
    }
    active_ = true;
    prefix_ = text;
    query_.clear();
    firstKey_ = true;
    candidatesShown_ = false;
    refresh();
    view_.awaitPause(searchPause);
    return true;
}

void InlineSearchSession::pauseEnded() {
    if (active_ && !candidatesShown_) {
        candidatesShown_ = true;
        view_.showSearch();
    }
}

bool InlineSearchSession::searchKey(const Key& key, std::string_view text) {
    using Kind = QueryKey::Kind;
    const QueryKey queryKey = QueryKey::of(key, text);
    if (queryKey.kind == Kind::modifier) {
        // Shift and the like choose what the next key types.
        return false;
    }
    const bool firstKey = std::exchange(firstKey_, false);
    using Outcome = GiveWayRule::Outcome;
    const Outcome outcome =
        GiveWayRule::outcome({query_, results_.size(), firstKey}, queryKey, catalog_().wordRuns());
    if (outcome == Outcome::givesWay && queryKey.kind == Kind::text) {
        // The prefix was punctuation: what was typed goes in as typed, with the key that
        // ended it, in one commit so the two cannot arrive apart.
        finish(preedit() + queryKey.text);
        return true;
    }
    if (outcome != Outcome::search) {
        // A line end or a tab is no text: it goes on to the application after the commit.
        finish(preedit());
        return outcome == Outcome::keepTyped;
    }
    const auto page = static_cast<std::size_t>(pageSize);
    switch (queryKey.kind) {
    case Kind::text:
        query_ += queryKey.text;
        candidatesShown_ = true;
        refresh();
        return true;
    case Kind::choose: {
        // The numbers shown: the current page's. One past the last chooses nothing.
        const std::size_t index =
            cursor_ / page * page + static_cast<std::size_t>(queryKey.choice - 1);
        if (index < candidateCount()) {
            choose(index);
        }
        return true;
    }
    case Kind::confirm:
        if (candidateCount() != 0) {
            choose(cursor_, queryKey.alternate);
        }
        return true;
    case Kind::erase:
        if (query_.empty()) {
            // The prefix itself goes, as a BackSpace after it in the document would take it.
            finish({});
        } else {
            removeLastCharacter(query_);
            refresh();
        }
        return true;
    case Kind::up:
        moveCursor(-1);
        return true;
    case Kind::down:
        moveCursor(1);
        return true;
    case Kind::pageUp:
        moveCursor(-pageSize);
        return true;
    case Kind::pageDown:
        moveCursor(pageSize);
        return true;
    case Kind::shortcut:
        // Copy, undo and the like are the application's; the search stays as it is.
        return false;
    default:
        // Arrows across, Home, function keys: no place in a one-line query.
        return true;
    }
}

std::size_t InlineSearchSession::groupRow() const {
    return namedGroupRow(results_.size());
}

const EmojiItem& InlineSearchSession::itemAt(std::size_t index) const {
    return *results_.at(resultAtRow(index, results_.size(), group_.has_value()).value());
}

void InlineSearchSession::choose(std::size_t index, bool alternate) {
    if (!active_ || index >= candidateCount()) {
        return;
    }
    if (group_ && index == groupRow()) {
        // The group's listing replaces the query, as a choice would: what is chosen there
        // comes back to this field.
        const NamedGroup group = *group_;
        finish({});
        view_.openPicker(group);
        return;
    }
    const EmojiItem& item = itemAt(index);
    const TriggerSettings& settings = settings_.current();
    std::string text = item.typedText(settings.skinToneFor(item.emoji), alternate);
    if (settings.insertSpaceAfterTrigger) {
        text += ' ';
    }
    finish(text);
    // After the commit: the field has its emoji before the file is written.
    settings_.recordUse(item, clock_());
}

void InlineSearchSession::leave(bool fieldKeepsPreedit) {
    if (!active_) {
        return;
    }
    finish(fieldKeepsPreedit ? std::string() : preedit());
}

InlineSearchSession::Candidate InlineSearchSession::candidate(std::size_t index) const {
    if (group_ && index == groupRow()) {
        return {group_->sample, group_->rowLabel(), true};
    }
    const EmojiItem& item = itemAt(index);
    return {item.displayEmoji(settings_.current().skinToneFor(item.emoji)), item.name};
}

void InlineSearchSession::refresh() {
    const TriggerSettings& settings = settings_.current();
    const EmojiCatalog& catalog = catalog_();
    results_ =
        catalog.inlineSearch(query_, settings.favorites, settings.emojiUsage, settings.recents);
    // A group opens in the program's picker: none without one.
    group_ = pickerAvailable_ ? catalog.namedGroup(query_) : std::nullopt;
    cursor_ = 0;
    view_.showSearch();
}

void InlineSearchSession::moveCursor(long delta) {
    if (candidateCount() == 0) {
        return;
    }
    // Stops at either end, as the popup's list does.
    const long last = static_cast<long>(candidateCount()) - 1;
    cursor_ = static_cast<std::size_t>(std::clamp(static_cast<long>(cursor_) + delta, 0L, last));
    // Moving through results not seen yet shows them.
    if (!std::exchange(candidatesShown_, true)) {
        view_.showSearch();
        return;
    }
    view_.showCursor();
}

void InlineSearchSession::finish(const std::string& text) {
    active_ = false;
    prefix_.clear();
    query_.clear();
    firstKey_ = true;
    candidatesShown_ = false;
    results_.clear();
    group_.reset();
    cursor_ = 0;
    view_.hideSearch();
    if (!text.empty()) {
        view_.commit(text);
    }
}

} // namespace tiklo
