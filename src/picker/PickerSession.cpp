// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerSession.h"

#include "app/AppState.h"
#include "app/UsageHistory.h"
#include "core/GiveWayRule.h"

namespace tiklo {

PickerSession::PickerSession(Services services, QObject* parent)
    : QObject(parent), services_(std::move(services)), model_(services_.state, *this),
      content_(services_.catalog, services_.state, *this) {}

void PickerSession::setQuery(const std::string& query) {
    if (query_ == query) {
        return;
    }
    query_ = query;
    emit queryChanged();
}

void PickerSession::setCategory(view::Category category) {
    if (category_ == category) {
        return;
    }
    category_ = category;
    emit categoryChanged();
}

void PickerSession::setKind(view::Kind kind) {
    if (kind_ == kind) {
        return;
    }
    kind_ = kind;
    emit kindChanged();
    setSelectedIndex(0);
    refreshResults();
}

void PickerSession::showGroup(view::Kind kind, const QString& group) {
    setQuery("");
    setKind(kind);
    if (group.isEmpty()) {
        return;
    }
    // Return chooses what the listing shows first.
    const std::string raw = group.toStdString();
    const auto first = std::ranges::find(results_, raw, &EmojiItem::group);
    if (first != results_.end()) {
        setSelectedIndex(static_cast<int>(first - results_.begin()));
    }
    emit groupRequested(group);
}

void PickerSession::setReplacementBackspaces(int count) {
    if (replacementBackspaces_ == count) {
        return;
    }
    replacementBackspaces_ = count;
    emit replacementBackspacesChanged();
}

void PickerSession::setSelectedIndex(int index) {
    if (selectedIndex_ == index) {
        return;
    }
    selectedIndex_ = index;
    emit selectedIndexChanged();
}

void PickerSession::setPresentationMode(view::Presentation mode) {
    if (presentationMode_ == mode) {
        return;
    }
    presentationMode_ = mode;
    emit presentationModeChanged();
}

void PickerSession::setCommandHeld(bool held) {
    if (commandHeld_ == held) {
        return;
    }
    commandHeld_ = held;
    emit commandHeldChanged();
}

void PickerSession::setSearchText(const QString& text) {
    typing_.fieldChanged();
    setQuery(text.toStdString());
    setSelectedIndex(0);
    refreshResults();
}

void PickerSession::refreshResults() {
    const AppState& state = services_.state;
    const EmojiCatalog& catalog = services_.catalog();
    // Categories are the emoji tab's.
    const std::optional<EmojiCategory> category =
        kind_ == view::Kind::EmojiKind ? view::toCatalog(category_) : std::nullopt;
    const EmojiCatalog& ofKind = catalog.ofKind(view::toCatalog(kind_));
    std::vector<const EmojiItem*> fresh;
    std::optional<NamedGroup> freshGroup;
    if (presentationMode_ == view::Presentation::Inline) {
        fresh =
            catalog.inlineSearch(query_, state.favorites(), state.emojiUsage(), state.recents());
        freshGroup = catalog.namedGroup(query_);
    } else if (kind_ != view::Kind::EmojiKind && query_.empty()) {
        // Listed by group, in the catalog's order; what was used is in the recents above.
        for (const EmojiItem& item : ofKind.all()) {
            fresh.push_back(&item);
        }
    } else {
        fresh =
            ofKind.search(query_, category, state.favorites(), state.emojiUsage(), state.recents());
    }
    if (fresh == results_ && freshGroup == group_) {
        // The same rows: the views keep what they built for them (rebuilding the list is most
        // of the time a popup takes to show); only the highlighted part follows the query.
        model_.queryChanged();
        return;
    }
    results_ = std::move(fresh);
    group_ = std::move(freshGroup);
    model_.resultsReplaced();
    emit resultsChanged();
}

void PickerSession::moveSelection(int delta) {
    const int count = resultCount();
    if (count == 0) {
        setSelectedIndex(0);
        return;
    }
    const long target = static_cast<long>(selectedIndex_) + delta;
    setSelectedIndex(target <= 0 ? 0 : static_cast<int>(std::min<long>(target, count - 1)));
}

int PickerSession::groupRow() const {
    return group_ ? static_cast<int>(namedGroupRow(results_.size())) : -1;
}

const EmojiItem* PickerSession::itemAt(int row) const {
    if (row < 0) {
        return nullptr;
    }
    const std::optional<std::size_t> index =
        resultAtRow(static_cast<std::size_t>(row), results_.size(), group_.has_value());
    return index ? results_[*index] : nullptr;
}

void PickerSession::choose(int row, bool keepOpen, bool alternate) {
    if (const EmojiItem* item = itemAt(row)) {
        insert(*item, keepOpen, alternate);
    } else if (group_ && row == groupRow()) {
        emit groupOpenRequested(view::fromCatalog(group_->kind),
                                QString::fromStdString(group_->group));
    }
}

void PickerSession::insertSelected(bool alternate) {
    if (selectedIndex_ >= 0 && selectedIndex_ < resultCount()) {
        choose(selectedIndex_, false, alternate);
    } else {
        emit beepRequested();
    }
}

void PickerSession::insertAt(int index, bool keepOpen, bool alternate) {
    choose(index, keepOpen, alternate);
}

void PickerSession::insert(const EmojiItem& chosen, bool keepOpen, bool alternate) {
    // First of all: what the user types on from here belongs after the emoji.
    injector().holdKeys();
    gaveWay_ = false;
    // The results may be replaced below; keep the item itself.
    const EmojiItem item = chosen;
    const AppState& state = services_.state;
    services_.history.recordUse(item);
    const bool trailingSpace = state.insertSpaceAfterTrigger();
    if (!keepOpen) {
        emit hideRequested();
    }
    std::string text = item.typedText(state.skinToneFor(item.emoji), alternate);
    if (trailingSpace) {
        text += ' ';
    }
    injector().replace(replacementBackspaces_, std::move(text), targetApp_);
    if (keepOpen && pickerWindow_) {
        // The keys typed meanwhile go on choosing, not into the application.
        injector().reactivate(pickerWindow_);
    }
    if (replacementBackspaces_ >= 1) {
        typing_.prefixReplaced();
        setReplacementBackspaces(0);
        setQuery("");
        refreshResults();
    }
}

void PickerSession::insertItem(const QString& id, bool keepOpen, bool alternate) {
    if (const EmojiItem* item = itemWithID(id)) {
        insert(*item, keepOpen, alternate);
    }
}

void PickerSession::toggleFavorite(const QString& id) {
    if (const EmojiItem* item = itemWithID(id)) {
        services_.history.toggleFavorite(*item);
        refreshResults();
    }
}

void PickerSession::chooseSkinTone(const QString& id, view::SkinTone tone) {
    if (const EmojiItem* item = itemWithID(id)) {
        services_.history.setSkinTone(*item, view::toCatalog(tone));
    }
}

void PickerSession::useDefaultSkinTone(const QString& id) {
    if (const EmojiItem* item = itemWithID(id)) {
        services_.history.setSkinTone(*item, std::nullopt);
    }
}

bool PickerSession::hasOwnSkinTone(const QString& id) const {
    const EmojiItem* item = itemWithID(id);
    return item != nullptr && services_.state.emojiSkinTones().contains(item->emoji);
}

const EmojiItem* PickerSession::itemWithID(const QString& id) const {
    return services_.catalog().item(id.toStdString());
}

void PickerSession::deliverThroughInputMethod() {
    if (services_.inputMethod != nullptr) {
        throughInputMethod_ = true;
    }
}

TextInjector& PickerSession::injector() const {
    return throughInputMethod_ ? *services_.inputMethod : services_.injector;
}

void PickerSession::beginShowing() {
    // One stat while nothing changed.
    services_.state.refreshFromStore();
    gaveWay_ = false;
    reset();
}

void PickerSession::reset() {
    typing_.restart();
    throughInputMethod_ = false;
    setReplacementBackspaces(0);
    setQuery("");
    setSelectedIndex(0);
    setCommandHeld(false);
}

void PickerSession::close() {
    // What the user types on from here belongs to the application given the keyboard back.
    injector().holdKeys();
    gaveWay_ = false;
    const std::optional<RunningApplication> target = targetApp_;
    emit hideRequested();
    injector().reactivate(target);
    reset();
}

void PickerSession::appendTypedAhead(const std::string& text) {
    typing_.typedAhead(text);
    setReplacementBackspaces(replacementBackspaces_ +
                             static_cast<int>(QString::fromStdString(text).toUcs4().size()));
    setSearchText(QString::fromStdString(query_ + text));
}

bool PickerSession::givesWay(const QueryKey& key) const {
    return GiveWayRule::givesWay({query_, results_.size(), typing_.firstKey()}, key,
                                 services_.catalog().wordRuns());
}

void PickerSession::giveWay() {
    injector().holdKeys();
    gaveWay_ = true;
    QueryTyping::GiveBack back = typing_.giveBack(query_);
    injector().forwardKeys(back.keys);
    const std::optional<RunningApplication> target = targetApp_;
    emit hideRequested();
    injector().replace(back.deletes, std::move(back.text), target);
    reset();
}

bool PickerSession::handleKey(const PickerKeyEvent& event, bool gridLayout) {
    const bool inlineMode = presentationMode_ == view::Presentation::Inline;
    const PickerKeyContext context{presentationMode_,
                                   gridLayout,
                                   query_,
                                   static_cast<std::size_t>(resultCount()),
                                   inlineMode ? &services_.catalog().wordRuns() : nullptr,
                                   typing_.firstKey(),
                                   content_.columns()};
    const QueryKey key = QueryKey::of(event.key, event.text);
    const PickerKeyDecision decision = PickerKeyRouting::route(event, key, context);
    typing_.routed(event, key, decision);
    using Action = PickerKeyDecision::Action;
    switch (decision.action) {
    case Action::setCommandHeld:
        setCommandHeld(decision.argument != 0);
        break;
    case Action::insertAt:
        insertAt(decision.argument, false);
        break;
    case Action::beep:
        emit beepRequested();
        break;
    case Action::insertSelected:
        insertSelected(decision.argument != 0);
        break;
    case Action::close:
        close();
        break;
    case Action::moveSelection:
        moveSelection(decision.argument);
        break;
    case Action::giveWay:
        giveWay();
        // Escape (the key swallowed) calls the search off: what follows is new typing, as
        // after a choice.
        gaveWay_ = !decision.swallow;
        break;
    case Action::none:
        break;
    }
    return decision.swallow;
}

} // namespace tiklo
