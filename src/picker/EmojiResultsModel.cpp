#include "picker/EmojiResultsModel.h"

#include "app/AppState.h"
#include "picker/NameHighlighter.h"
#include "picker/PickerSession.h"

namespace tiklo {

EmojiResultsModel::EmojiResultsModel(const AppState& state, const PickerSession& session)
    : state_(state), session_(session) {
    connect(&state, &AppState::defaultSkinToneChanged, this, [this] {
        if (rowCount() > 0) {
            emit dataChanged(index(0), index(rowCount() - 1), {EmojiRole});
        }
    });
}

int EmojiResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(session_.results().size());
}

QVariant EmojiResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) {
        return {};
    }
    const EmojiItem& item = *session_.results()[static_cast<std::size_t>(index.row())];
    switch (role) {
    case EmojiRole:
        return displayText(item.displayEmoji(state_.defaultSkinTone()));
    case NameRole:
        return QString::fromStdString(item.name);
    case ShortcodeRole:
        return QString::fromStdString(item.shortcode);
    case NamePartsRole: {
        const HighlightedName parts = NameHighlighter::highlight(item.name, session_.query());
        return QStringList{QString::fromStdString(parts.before),
                           QString::fromStdString(parts.match),
                           QString::fromStdString(parts.after)};
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> EmojiResultsModel::roleNames() const {
    return {{EmojiRole, "emoji"},
            {NameRole, "name"},
            {ShortcodeRole, "shortcode"},
            {NamePartsRole, "nameParts"}};
}

void EmojiResultsModel::resultsReplaced() {
    beginResetModel();
    endResetModel();
}

void EmojiResultsModel::queryChanged() {
    if (rowCount() > 0) {
        emit dataChanged(index(0), index(rowCount() - 1), {NamePartsRole});
    }
}

QString EmojiResultsModel::displayText(const std::string& emoji) {
    QString text = QString::fromStdString(emoji);
    text.replace(QStringLiteral("\uFE0F\u200D"), QStringLiteral("\u200D"));
    return text;
}

} // namespace tiklo
