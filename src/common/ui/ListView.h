#pragma once

#include "common/core/ListViewModel.h"

#include <QTreeView>

namespace ardl {

// A report-style list: rows of cells under column headers, small icons in
// the first column, several rows selectable. Rows live in its ListViewModel.
class ListView : public QTreeView {
    Q_OBJECT
public:
    explicit ListView(QWidget *parent = nullptr);

    ListViewModel &rows() { return m_model; }
    const ListViewModel &rows() const { return m_model; }

    // Sets the columns with their header texts, tags and alignments.
    void setColumns(const QList<ListColumn> &columns);
    // Selected row indexes, in ascending order.
    QList<int> selectedRows() const;

Q_SIGNALS:
    // A click on the header of `column` (1-based); the page sorts on it.
    void ColumnClick(int column);

private:
    ListViewModel m_model;
};

} // namespace ardl
