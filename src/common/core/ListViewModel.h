#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

namespace ardl {

// One column of a report list: its header text, its sort tag ("NUMBER",
// "DATE" or "" for text) and the alignment of its cells.
struct ListColumn {
    ListColumn(const QString &text = {}, const QString &tag = {}, Qt::Alignment alignment = Qt::AlignLeft)
        : text(text), tag(tag), alignment(alignment) {}
    QString text;
    QString tag;
    Qt::Alignment alignment;
};

// One row: the cell texts (cell 0 is the item text), an optional small icon
// and text colour (opaque values the view understands), a key that the
// filler chooses, a free tag and the tooltip of its cells ("" for none).
// A row of a file list whose key is a path that text cannot give back
// exactly (a name that is not valid UTF-8) holds the path's bytes in rawKey.
struct ListRow {
    QStringList cells;
    QVariant icon;
    QVariant foreground;
    QString key;
    QString tag;
    QString toolTip = {};
    QByteArray rawKey = {};
};

// The rows and columns of a report list, UI-free so that fillers and sorting
// can be tested without a window. Holds any number of rows cheaply: one
// struct per row, inserted in bulk.
class ListViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Columns
    void setColumns(const QList<ListColumn> &columns);
    int columnCount(const QModelIndex &parent = {}) const override;
    const ListColumn &column(int index) const { return m_columns[index]; }
    void setColumn(int index, const ListColumn &column);

    // Rows
    int rowCount(const QModelIndex &parent = {}) const override;
    const ListRow &row(int index) const { return m_rows[size_t(index)]; }
    const std::vector<ListRow> &rows() const { return m_rows; }
    int addRow(ListRow row);
    void addRows(std::vector<ListRow> rows);
    void setRow(int index, ListRow row);
    void setCell(int rowIndex, int columnIndex, const QString &text);
    // Changes every row in place, telling the view once.
    void editRows(const std::function<void(ListRow &)> &edit);
    void removeRow(int index);
    // Removes the rows at the given indexes (any order, duplicates allowed).
    void removeRowsAt(QList<int> indexes);
    void clear();
    // Index of the row with this key that names its file exactly (no
    // rawKey), or -1.
    int findKey(const QString &key) const;
    // Puts the rows in the order given by `order` (a permutation of indexes).
    void reorder(const std::vector<int> &order);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<ListColumn> m_columns;
    std::vector<ListRow> m_rows;
};

} // namespace ardl
