// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/PickerContentModel.h"

#include "app/AppState.h"
#include "picker/EmojiResultsModel.h"
#include "picker/LibraryItems.h"
#include "picker/PickerChoices.h"
#include "picker/PickerSession.h"

#include <algorithm>

#include <QCoreApplication>

namespace tiklo {

PickerContentModel::PickerContentModel(std::function<const EmojiCatalog&()> catalog,
                                       const AppState& state, const PickerSession& session)
    : catalog_(std::move(catalog)), state_(state), session_(session) {
    const auto refresh = [this] { update(); };
    connect(&session, &PickerSession::resultsChanged, this, refresh);
    connect(&session, &PickerSession::queryChanged, this, refresh);
    connect(&session, &PickerSession::categoryChanged, this, refresh);
    connect(&session, &PickerSession::kindChanged, this, refresh);
    connect(&session, &PickerSession::presentationModeChanged, this, refresh);
    connect(&state, &AppState::recentsChanged, this, refresh);
    connect(&state, &AppState::favoritesChanged, this, refresh);
    connect(&state, &AppState::pickerModeChanged, this, refresh);
    // The same rows, drawn in another tone.
    for (const auto changed :
         {&AppState::defaultSkinToneChanged, &AppState::emojiSkinTonesChanged}) {
        connect(&state, changed, this, [this] { allRowsChanged(); });
    }
}

int PickerContentModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant PickerContentModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) {
        return {};
    }
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case KindRole:
        return static_cast<int>(row.kind);
    case SectionRole:
        return static_cast<int>(row.section);
    case TitleRole:
        switch (row.section) {
        case Section::Recent:
            return QCoreApplication::translate("PickerView", "Recent");
        case Section::Favorites:
            return QCoreApplication::translate("PickerView", "Favorites");
        case Section::Results:
            return row.groupHeader ? groupTitle(row.first) : resultsTitle_;
        }
        return {};
    case ItemsRole: {
        QVariantList list;
        const std::vector<const EmojiItem*>& all = items(row.section);
        for (int i = row.first; i < row.first + row.count; ++i) {
            list.append(emojiData(*all[static_cast<std::size_t>(i)], i));
        }
        return list;
    }
    case FirstIndexRole:
        return row.first;
    case LastInSectionRole:
        return row.lastInSection;
    default:
        return {};
    }
}

QHash<int, QByteArray> PickerContentModel::roleNames() const {
    return {
        {KindRole, "kind"},   {SectionRole, "section"},       {TitleRole, "title"},
        {ItemsRole, "items"}, {FirstIndexRole, "firstIndex"}, {LastInSectionRole, "lastInSection"}};
}

int PickerContentModel::rowOfResult(int index) const {
    if (index < 0 || index >= static_cast<int>(session_.results().size())) {
        return -1;
    }
    const auto found = std::find_if(rows_.begin(), rows_.end(), [index](const Row& row) {
        return row.section == Section::Results && row.kind == RowKind::Emoji &&
               index >= row.first && index < row.first + row.count;
    });
    return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

void PickerContentModel::update() {
    if (session_.presentationMode() != view::Presentation::Full) {
        return;
    }
    const EmojiCatalog& catalog = catalog_();
    recents_ = LibraryItems::recents(catalog, state_.recents());
    favorites_ = LibraryItems::favorites(catalog, state_.favorites());

    // English keeps the word plural for every count; the translations have their own forms.
    resultsTitle_ = !session_.query().empty()
                        ? QCoreApplication::translate("PickerView", "%n results", nullptr,
                                                      static_cast<int>(session_.results().size()))
                    : session_.category() == view::Category::All
                        ? QCoreApplication::translate("PickerView", "All emoji")
                        : PickerChoices::categoryTitle(*view::toCatalog(session_.category()));
    replaceRows(layOut());
    updateGroups();
}

int PickerContentModel::rowOfGroup(const QString& group) const {
    const std::string wanted = group.toStdString();
    const std::vector<const EmojiItem*>& results = session_.results();
    const auto found = std::ranges::find_if(rows_, [&](const Row& row) {
        const auto first = static_cast<std::size_t>(row.first);
        return row.groupHeader && first < results.size() && results[first]->group == wanted;
    });
    return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

void PickerContentModel::updateGroups() {
    QVariantList fresh;
    if (session_.kind() != view::Kind::EmojiKind) {
        const EmojiCatalog& catalog = catalog_();
        const ItemKind kind = view::toCatalog(session_.kind());
        std::string_view last;
        for (const EmojiItem& item : catalog.ofKind(kind).all()) {
            if (item.group == last) {
                continue;
            }
            last = item.group;
            const QString group = QString::fromStdString(item.group);
            fresh.append(QVariantMap{
                {QStringLiteral("group"), group},
                {QStringLiteral("title"), PickerChoices::groupTitle(catalog, kind, item.group)},
                {QStringLiteral("sample"),
                 kind == ItemKind::symbol ? QString::fromStdString(item.emoji) : QString()}});
        }
    }
    if (fresh != groups_) {
        groups_ = std::move(fresh);
        emit groupsChanged();
    }
}

int PickerContentModel::columns() const {
    return session_.kind() == view::Kind::KaomojiKind ? kaomojiColumns : gridColumns;
}

QString PickerContentModel::groupTitle(int first) const {
    const std::vector<const EmojiItem*>& results = session_.results();
    if (static_cast<std::size_t>(first) >= results.size()) {
        return {};
    }
    const EmojiItem& item = *results[static_cast<std::size_t>(first)];
    return PickerChoices::groupTitle(catalog_(), item.kind, item.group);
}

std::vector<PickerContentModel::Row> PickerContentModel::layOut() const {
    const bool grid = state_.pickerMode() == view::PickerMode::Grid;
    std::vector<Row> rows;
    const bool emojiTab = session_.kind() == view::Kind::EmojiKind;
    if (session_.query().empty() && (!emojiTab || session_.category() == view::Category::All)) {
        // These two are left out when empty; only the results say "No matches".
        if (!recents_.empty()) {
            sectionRows(rows, Section::Recent, static_cast<int>(recents_.size()), grid);
        }
        if (!favorites_.empty()) {
            sectionRows(rows, Section::Favorites, static_cast<int>(favorites_.size()), grid);
        }
    }
    if (session_.query().empty() && !emojiTab && static_cast<int>(session_.results().size()) > 0) {
        groupRows(rows, grid);
    } else {
        sectionRows(rows, Section::Results, static_cast<int>(session_.results().size()), grid);
    }
    return rows;
}

void PickerContentModel::sectionRows(std::vector<Row>& rows, Section section, int size,
                                     bool grid) const {
    rows.push_back({RowKind::Header, section});
    if (size == 0) {
        rows.push_back({RowKind::Empty, section});
    }
    itemRows(rows, section, 0, size, grid);
    rows.back().lastInSection = true;
}

void PickerContentModel::groupRows(std::vector<Row>& rows, bool grid) const {
    const std::vector<const EmojiItem*>& results = session_.results();
    const int size = static_cast<int>(results.size());
    for (int first = 0; first < size;) {
        int end = first + 1;
        while (end < size && results[static_cast<std::size_t>(end)]->group ==
                                 results[static_cast<std::size_t>(first)]->group) {
            ++end;
        }
        Row header{RowKind::Header, Section::Results, first};
        header.groupHeader = true;
        rows.push_back(header);
        itemRows(rows, Section::Results, first, end, grid);
        first = end;
    }
    rows.back().lastInSection = true;
}

void PickerContentModel::itemRows(std::vector<Row>& rows, Section section, int from, int to,
                                  bool grid) const {
    // A grid row is as wide as eight tiles or three kaomoji; recents mix both.
    constexpr int rowWidth = gridColumns * kaomojiColumns;
    const std::vector<const EmojiItem*>& all = items(section);
    int first = from;
    int used = 0;
    for (int i = from; i < to; ++i) {
        const bool wide = all[static_cast<std::size_t>(i)]->kind == ItemKind::kaomoji;
        const int width = !grid ? rowWidth : wide ? gridColumns : kaomojiColumns;
        if (used + width > rowWidth) {
            rows.push_back({RowKind::Emoji, section, first, i - first});
            first = i;
            used = 0;
        }
        used += width;
    }
    if (to > first) {
        rows.push_back({RowKind::Emoji, section, first, to - first});
    }
}

const std::vector<const EmojiItem*>& PickerContentModel::items(Section section) const {
    switch (section) {
    case Section::Recent:
        return recents_;
    case Section::Favorites:
        return favorites_;
    case Section::Results:
        break;
    }
    return session_.results();
}

QVariantMap PickerContentModel::emojiData(const EmojiItem& item, int index) const {
    const QString shortcode = QString::fromStdString(item.shortcode);
    const QString name = QString::fromStdString(item.name);
    return {
        {QStringLiteral("id"), QString::fromStdString(item.id())},
        {QStringLiteral("emoji"),
         EmojiResultsModel::displayText(item.displayEmoji(state_.skinToneFor(item.emoji)))},
        {QStringLiteral("supportsSkinTone"), item.supportsSkinTone},
        {QStringLiteral("name"), item.kind == ItemKind::emoji ? titleCased(name) : name},
        {QStringLiteral("shortcode"), shortcode},
        {QStringLiteral("label"), item.kind == ItemKind::emoji ? shortcode : name},
        {QStringLiteral("wide"), item.kind == ItemKind::kaomoji},
        {QStringLiteral("kind"),
         QString::fromUtf8(rawValue(item.kind).data(),
                           static_cast<qsizetype>(rawValue(item.kind).size()))},
        {QStringLiteral("favorite"), state_.favorites().contains(item.id())},
        {QStringLiteral("index"), index},
    };
}

void PickerContentModel::replaceRows(std::vector<Row> fresh) {
    // Only the rows that differ are replaced, so the list keeps its place and the delegates
    // it built; the others are told their emoji may have changed.
    const std::size_t shared = std::min(rows_.size(), fresh.size());
    std::size_t prefix = 0;
    while (prefix < shared && rows_[prefix] == fresh[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < shared - prefix &&
           rows_[rows_.size() - 1 - suffix] == fresh[fresh.size() - 1 - suffix]) {
        ++suffix;
    }
    const int from = static_cast<int>(prefix);
    if (rows_.size() - suffix > prefix) {
        beginRemoveRows({}, from, static_cast<int>(rows_.size() - suffix) - 1);
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(prefix),
                    rows_.end() - static_cast<std::ptrdiff_t>(suffix));
        endRemoveRows();
    }
    if (fresh.size() - suffix > prefix) {
        beginInsertRows({}, from, static_cast<int>(fresh.size() - suffix) - 1);
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(prefix),
                     fresh.begin() + static_cast<std::ptrdiff_t>(prefix),
                     fresh.end() - static_cast<std::ptrdiff_t>(suffix));
        endInsertRows();
    }
    allRowsChanged();
}

void PickerContentModel::allRowsChanged() {
    if (!rows_.empty()) {
        emit dataChanged(index(0), index(rowCount() - 1), {TitleRole, ItemsRole});
    }
}

QString PickerContentModel::titleCased(const QString& name) {
    QString result = name.toLower();
    bool wordStart = true;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result[i];
        if (c.isSpace()) {
            wordStart = true;
        } else if (wordStart) {
            // A letter outside the basic plane is left as it is.
            if (!c.isSurrogate()) {
                result[i] = c.toUpper();
            }
            wordStart = false;
        }
    }
    return result;
}

} // namespace tiklo
