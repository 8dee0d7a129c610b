#pragma once
#include <QTableWidget>

// A table of whole rows: one row is always selected, and its grid lines
// are drawn on whole device pixels, so that on a scaled screen every line
// is as wide as every other.
class RowTable : public QTableWidget {
    Q_OBJECT
public:
    RowTable(int rows, int columns, QWidget* parent = nullptr);
    // Rows of the default height that fit whole into the visible area.
    int visibleRows() const;
    // Brings the scroll range up to date with the rows and the size now.
    void updateScrollRange() { updateGeometries(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    // A Ctrl+click on the selected row, or a click below the last row, does
    // not leave the table without one.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
};
