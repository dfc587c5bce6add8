// SPDX-License-Identifier: GPL-3.0-or-later
#include "picker/EmojiResultsModel.h"

#include "app/AppState.h"
#include "picker/NameHighlighter.h"
#include "picker/PickerSession.h"

namespace tiklo {

EmojiResultsModel::EmojiResultsModel(const AppState& state, const PickerSession& session)
    : state_(state), session_(session) {
    for (const auto changed :
         {&AppState::defaultSkinToneChanged, &AppState::emojiSkinTonesChanged}) {
        connect(&state, changed, this, [this] { allRowsChanged({EmojiRole}); });
    }
}

int EmojiResultsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : session_.resultCount();
}

QVariant EmojiResultsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) {
        return {};
    }
    const EmojiItem* found = session_.itemAt(index.row());
    if (found == nullptr) {
        return groupData(role);
    }
    const EmojiItem& item = *found;
    switch (role) {
    case EmojiRole:
        return displayText(item.displayEmoji(state_.skinToneFor(item.emoji)));
    case NameRole:
        return QString::fromStdString(item.name);
    case ShortcodeRole:
        return QString::fromStdString(item.shortcode);
    case HighlightedNameRole:
        return highlightedName(item.name, session_.query(), highlightColor_);
    case SupportsSkinToneRole:
        return item.supportsSkinTone;
    case KindRole: {
        const std::string_view kind = rawValue(item.kind);
        return QString::fromUtf8(kind.data(), static_cast<qsizetype>(kind.size()));
    }
    default:
        return {};
    }
}

QVariant EmojiResultsModel::groupData(int role) const {
    const std::optional<NamedGroup>& group = session_.namedGroup();
    if (!group) {
        return {};
    }
    const QString title = QString::fromStdString(group->rowLabel());
    switch (role) {
    case EmojiRole:
        return QString::fromStdString(group->sample);
    case NameRole:
        return title;
    case HighlightedNameRole:
        return title.toHtmlEscaped();
    case ShortcodeRole:
        return QString();
    case SupportsSkinToneRole:
        return false;
    case KindRole:
        return QStringLiteral("group");
    default:
        return {};
    }
}

QHash<int, QByteArray> EmojiResultsModel::roleNames() const {
    return {{EmojiRole, "emoji"},
            {NameRole, "name"},
            {ShortcodeRole, "shortcode"},
            {HighlightedNameRole, "highlightedName"},
            {SupportsSkinToneRole, "supportsSkinTone"},
            {KindRole, "kind"}};
}

void EmojiResultsModel::setHighlightColor(const QString& color) {
    if (highlightColor_ == color) {
        return;
    }
    highlightColor_ = color;
    emit highlightColorChanged();
    allRowsChanged({HighlightedNameRole});
}

void EmojiResultsModel::resultsReplaced() {
    beginResetModel();
    endResetModel();
}

void EmojiResultsModel::queryChanged() {
    allRowsChanged({HighlightedNameRole});
}

void EmojiResultsModel::allRowsChanged(const QList<int>& roles) {
    if (rowCount() > 0) {
        emit dataChanged(index(0), index(rowCount() - 1), roles);
    }
}

QString EmojiResultsModel::displayText(const std::string& emoji) {
    QString text = QString::fromStdString(emoji);
    text.replace(QStringLiteral("\uFE0F\u200D"), QStringLiteral("\u200D"));
    return text;
}

QString EmojiResultsModel::highlightedName(const std::string& name, const std::string& query,
                                           const QString& color) {
    // Names come from data files and may hold "<" or "&".
    const auto escaped = [](const std::string& text) {
        return QString::fromStdString(text).toHtmlEscaped();
    };
    const HighlightedName parts = NameHighlighter::highlight(name, query);
    QString text = escaped(parts.before);
    if (!parts.match.empty()) {
        text += QStringLiteral("<font color=\"%1\"><b>%2</b></font>")
                    .arg(color.toHtmlEscaped(), escaped(parts.match));
    }
    return text + escaped(parts.after);
}

} // namespace tiklo
