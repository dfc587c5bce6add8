#pragma once

#include <QAbstractListModel>

namespace tiklo {

class AppState;
class PickerSession;

// The session's results as the views list them, without copying the items.
class EmojiResultsModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        EmojiRole = Qt::UserRole + 1, // shown in the default skin tone
        NameRole,
        ShortcodeRole,
        NamePartsRole, // [before, match, after] of the highlighted name
    };

    EmojiResultsModel(const AppState& state, const PickerSession& session);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Called by the session after it replaced its results.
    void resultsReplaced();
    // Called by the session when the query changed but the results did not.
    void queryChanged();

    // Emoji text as drawn: Qt does not join sequences with U+FE0F right before a joiner,
    // so that selector is dropped for display (never for typing).
    static QString displayText(const std::string& emoji);

private:
    const AppState& state_;
    const PickerSession& session_;
};

} // namespace tiklo
