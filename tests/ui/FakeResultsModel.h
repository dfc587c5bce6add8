#pragma once

#include <QAbstractListModel>
#include <QStringList>
#include <QVector>

namespace tiklo::test {

// The session's results roles, filled from QML tests; a QML ListModel cannot hold the
// string list of "nameParts".
class FakeResultsModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    using QAbstractListModel::QAbstractListModel;

    int count() const { return static_cast<int>(rows_.size()); }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : count();
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const int column = role - Qt::UserRole - 1;
        if (!index.isValid() || index.row() >= count() || column < 0 || column > 3) {
            return {};
        }
        return rows_[index.row()][column];
    }
    QHash<int, QByteArray> roleNames() const override {
        return {{Qt::UserRole + 1, "emoji"},
                {Qt::UserRole + 2, "name"},
                {Qt::UserRole + 3, "shortcode"},
                {Qt::UserRole + 4, "nameParts"}};
    }

    Q_INVOKABLE void append(const QString& emoji, const QString& name, const QString& shortcode,
                            const QStringList& nameParts) {
        beginInsertRows({}, count(), count());
        rows_.push_back({emoji, name, shortcode, nameParts});
        endInsertRows();
        emit countChanged();
    }
    Q_INVOKABLE void clear() {
        beginResetModel();
        rows_.clear();
        endResetModel();
        emit countChanged();
    }

signals:
    void countChanged();

private:
    QVector<QVariantList> rows_;
};

} // namespace tiklo::test
