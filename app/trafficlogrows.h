#pragma once

#include <QAbstractListModel>

class TrafficLog;

// The traffic log's lines as the rows of its window's view. A row is turned
// into text only while it is on the screen, so a full log costs the window
// no more than the log itself: 20,000 lines of noise would take some 16 MB
// as the text of an editor.
//
// The log changes as the line brings bytes and tells the rows in batches:
// until update(), the rows stay as they were, the oldest lines the log has
// dropped meanwhile shown empty.
class TrafficLogRows : public QAbstractListModel
{
    Q_OBJECT
public:
    TrafficLogRows(const TrafficLog *log, QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The log dropped its oldest line.
    void dropped() { ++droppedSince; }
    // Brings the rows up to the log's lines; `lastGrew`: the newest line
    // already shown received more bytes.
    void update(bool lastGrew);
    void clear();

private:
    const TrafficLog *log;
    int rows = 0;
    int droppedSince = 0;
};
