// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ViewEnums.h"
#include "catalog/EmojiCatalog.h"

#include <functional>
#include <vector>

#include <QAbstractListModel>
#include <QString>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

namespace tiklo {

class AppState;
class PickerSession;

// The full picker's scrolling content as the rows one list view builds lazily: each
// section's header, then its items (rows of up to eight tiles in the grid, three of the wider
// kaomoji, one item per row in the list) or its "No matches" line. The recents and favorites
// sections come first, only for an empty query in all categories. The symbols and kaomoji tabs
// show their results under a header per group while nothing is searched.
class PickerContentModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The content belongs to the picker session")

public:
    static constexpr int gridColumns = 8;
    static constexpr int kaomojiColumns = 3;
    Q_PROPERTY(int kaomojiColumns READ kaomojiColumnCount CONSTANT)
    // The symbols' or kaomoji's groups in the tab, in order: {group, title, sample}; the sample
    // is the group's first symbol. Empty in the emoji tab.
    Q_PROPERTY(QVariantList groups READ groups NOTIFY groupsChanged)

    enum class RowKind { Header, Emoji, Empty };
    Q_ENUM(RowKind)
    enum class Section { Recent, Favorites, Results };
    Q_ENUM(Section)

    enum Role {
        KindRole = Qt::UserRole + 1,
        SectionRole,
        TitleRole, // headers only
        // Item rows: a map per item (id, emoji, name, shortcode, label, wide, kind, favorite,
        // index); `kind` is the raw value ("emoji").
        // `label` is the shortcode of an emoji and the name of another kind, which is also
        // what screen readers say; `wide`: a kaomoji's tile.
        ItemsRole,
        FirstIndexRole, // emoji rows: the section position of the first emoji
        LastInSectionRole,
    };

    PickerContentModel(std::function<const EmojiCatalog&()> catalog, const AppState& state,
                       const PickerSession& session);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The row that shows the result at `index`, or -1 for an index outside the results.
    Q_INVOKABLE int rowOfResult(int index) const;
    // The header row of a group of the tab's listing, or -1 where it is not listed.
    Q_INVOKABLE int rowOfGroup(const QString& group) const;
    QVariantList groups() const { return groups_; }

    // Brings the rows up to date; while the picker is not full nothing is kept up.
    void update();
    // Tiles per grid row in the current tab.
    int columns() const;
    int kaomojiColumnCount() const { return kaomojiColumns; }

signals:
    void groupsChanged();

public:
    // "Red Heart" from "red HEART": every word, as spaces part them, capitalised.
    static QString titleCased(const QString& name);

private:
    struct Row {
        RowKind kind;
        Section section;
        int first = 0;
        int count = 0;
        bool lastInSection = false;
        // A results header of the group that starts at `first`.
        bool groupHeader = false;

        bool operator==(const Row&) const = default;
    };

    std::vector<Row> layOut() const;
    void sectionRows(std::vector<Row>& rows, Section section, int size, bool grid) const;
    // The results under a header per group, in the order the catalog lists them.
    void groupRows(std::vector<Row>& rows, bool grid) const;
    // Rows of the items from `from` to `to` of `section`.
    void itemRows(std::vector<Row>& rows, Section section, int from, int to, bool grid) const;
    QString groupTitle(int first) const;
    void updateGroups();
    const std::vector<const EmojiItem*>& items(Section section) const;
    QVariantMap emojiData(const EmojiItem& item, int index) const;
    void replaceRows(std::vector<Row> fresh);
    void allRowsChanged();

    std::function<const EmojiCatalog&()> catalog_;
    const AppState& state_;
    const PickerSession& session_;
    std::vector<const EmojiItem*> recents_;
    std::vector<const EmojiItem*> favorites_;
    std::vector<Row> rows_;
    QString resultsTitle_;
    QVariantList groups_;
};

} // namespace tiklo
