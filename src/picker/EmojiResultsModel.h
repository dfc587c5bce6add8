// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include <QAbstractListModel>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace tiklo {

class AppState;
class PickerSession;

// The session's results as the views list them, without copying the items.
class EmojiResultsModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The results belong to the picker session")
    // The colour of the query's match in the highlighted name, as the theme has it.
    Q_PROPERTY(QString highlightColor READ highlightColor WRITE setHighlightColor NOTIFY
                   highlightColorChanged)

public:
    enum Role {
        EmojiRole = Qt::UserRole + 1, // shown in its tone: the one chosen for it, or the default
        NameRole,
        ShortcodeRole,
        // The name as shown (first character upper-case) with the first place where the query
        // occurs in bold, in the highlight colour; as styled text, every part escaped.
        HighlightedNameRole,
        SupportsSkinToneRole,
        // "emoji", "symbol" or "kaomoji": the last two are text, a kaomoji wide; "group" for
        // the row that opens a group in the full picker
        KindRole,
    };

    EmojiResultsModel(const AppState& state, const PickerSession& session);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    const QString& highlightColor() const { return highlightColor_; }
    void setHighlightColor(const QString& color);

    // Called by the session after it replaced its results, and after its query changed.
    void resultsReplaced();
    // Called by the session when the query changed but the results did not.
    void queryChanged();

    // Emoji text as drawn: Qt does not join sequences with U+FE0F right before a joiner,
    // so that selector is dropped for display (never for typing).
    static QString displayText(const std::string& emoji);
    // The highlighted name as styled text.
    static QString highlightedName(const std::string& name, const std::string& query,
                                   const QString& color);

signals:
    void highlightColorChanged();

private:
    void allRowsChanged(const QList<int>& roles);
    // The row that opens the group the query names.
    QVariant groupData(int role) const;

    const AppState& state_;
    const PickerSession& session_;
    QString highlightColor_;
};

} // namespace tiklo
