#include "widgets/rowtable.h"

#include <algorithm>
#include <cmath>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPainter>

RowTable::RowTable(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent)
{
    setShowGrid(false); // see paintEvent
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QItemSelectionModel::SelectionFlags RowTable::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    const QItemSelectionModel::SelectionFlags f = QTableWidget::selectionCommand(index, event);
    if (!index.isValid())
        return f & QItemSelectionModel::Clear ? QItemSelectionModel::NoUpdate : f;
    if (f & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return f;
}

void RowTable::paintEvent(QPaintEvent* e)
{
    QTableWidget::paintEvent(e);
    // A line holds the last logical pixel of its cell: it is drawn on the
    // whole device pixels that end where that pixel ends, one of them (two
    // at twice the size and more).
    QPainter p(viewport());
    p.setClipRegion(e->region());
    const qreal dpr = viewport()->devicePixelRatioF();
    const qreal thickness = std::max(1.0, std::floor(dpr)) / dpr;
    auto end = [dpr](int x) { return std::ceil(x * dpr - 0.01) / dpr; };
    const int w = std::min(viewport()->width(), horizontalHeader()->length());
    const int h = std::min(viewport()->height(), verticalHeader()->length() - verticalOffset());
    const QColor silver(Qt::lightGray);
    for (int c = 0; c < columnCount(); ++c) {
        const qreal x = end(columnViewportPosition(c) + columnWidth(c));
        p.fillRect(QRectF(x - thickness, 0, thickness, h), silver);
    }
    for (int r = rowAt(0); r >= 0 && r < rowCount(); ++r) {
        const int y0 = rowViewportPosition(r);
        if (y0 >= h)
            break;
        const qreal y = end(y0 + rowHeight(r));
        p.fillRect(QRectF(0, y - thickness, w, thickness), silver);
    }
}

int RowTable::visibleRows() const
{
    return std::max(1, viewport()->height() / verticalHeader()->defaultSectionSize());
}
