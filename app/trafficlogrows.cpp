#include "app/trafficlogrows.h"

#include "app/trafficlog.h"

TrafficLogRows::TrafficLogRows(const TrafficLog *log, QObject *parent)
    : QAbstractListModel(parent), log(log)
{
}

int TrafficLogRows::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rows;
}

QVariant TrafficLogRows::data(const QModelIndex &index, int role) const
{
    const int line = index.row() - droppedSince;
    if (role != Qt::DisplayRole || !index.isValid() || line < 0 || line >= log->lineCount())
        return QVariant();
    return log->line(line);
}

void TrafficLogRows::update(bool lastGrew)
{
    const int count = log->lineCount();
    if (droppedSince >= rows) {
        // Every row shown has gone (or none was shown): built anew.
        beginResetModel();
        droppedSince = 0;
        rows = count;
        endResetModel();
        return;
    }
    if (droppedSince > 0) {
        beginRemoveRows(QModelIndex(), 0, droppedSince - 1);
        rows -= droppedSince;
        droppedSince = 0;
        endRemoveRows();
    }
    if (lastGrew && rows > 0)
        emit dataChanged(index(rows - 1), index(rows - 1));
    if (count > rows) {
        beginInsertRows(QModelIndex(), rows, count - 1);
        rows = count;
        endInsertRows();
    }
}

void TrafficLogRows::clear()
{
    beginResetModel();
    rows = 0;
    droppedSince = 0;
    endResetModel();
}
