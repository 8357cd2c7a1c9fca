// The grid under the mouse: which cell or border a point is on, dragging borders to resize
// rows and columns, and the clicks and double clicks the window's handlers see.
#include "platform/widgets/FlexGrid.h"

#include <QMouseEvent>

namespace {

// How near a border the mouse must be to grab it, in pixels either side.
constexpr int BorderGrip = 3;

} // namespace

int FlexGrid::colAtPoint(int x) const
{
    if (x < fixedWidth()) {
        for (int c = 0, left = 0; c < qMin(fixedCols_, Cols()); left += columnWidth(c), ++c)
            if (x >= left && x < left + columnWidth(c))
                return c;
        return -1;
    }
    return columnAt(x);
}

int FlexGrid::rowAtPoint(int y) const
{
    if (y < fixedHeight()) {
        for (int r = 0, top = 0; r < qMin(fixedRows_, Rows()); top += rowHeight(r), ++r)
            if (y >= top && y < top + rowHeight(r))
                return r;
        return -1;
    }
    return rowAt(y);
}

// The column or row border within reach of the point; hidden (zero-wide) sections are never
// grabbed, so a column hidden on purpose stays hidden.
FlexGrid::Border FlexGrid::borderAt(QPoint p) const
{
    if (!allowResizing_)
        return {};
    // The border of the section under the point or of the visible one before it; past the
    // last section, the last one's.
    const auto grab = [](int at, int under, int count, auto start, auto size) -> int {
        for (int k = under >= 0 ? under : count - 1; k >= 0; --k) {
            if (size(k) == 0)
                continue;
            if (qAbs(start(k) + size(k) - at) <= BorderGrip)
                return k;
            if (k != under)
                return -1;
        }
        return -1;
    };
    const int col = colAtPoint(p.x());
    const int row = rowAtPoint(p.y());
    if (row >= 0) {
        const int c = grab(p.x(), col, Cols(), [this](int k) { return colLeft(k); }, [this](int k) { return columnWidth(k); });
        if (c >= 0)
            return {Edge::Column, c};
    }
    if (col >= 0) {
        const int r = grab(p.y(), row, Rows(), [this](int k) { return rowTop(k); }, [this](int k) { return rowHeight(k); });
        if (r >= 0)
            return {Edge::Row, r};
    }
    return {};
}

bool FlexGrid::pointerPress(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const Border b = borderAt(p);
        if (b.edge != Edge::None) {
            drag_ = b;
            dragStart_ = b.edge == Edge::Column ? p.x() : p.y();
            dragSize_ = b.edge == Edge::Column ? columnWidth(b.section) : rowHeight(b.section);
            pressed_ = false;
            return true;
        }
    }
    mouseRow_ = rowAtPoint(p.y());
    mouseCol_ = colAtPoint(p.x());
    pressed_ = true;
    return false;
}

bool FlexGrid::pointerMove(QMouseEvent* event, QWidget* cursorOwner)
{
    const QPoint p = event->position().toPoint();
    if (drag_.edge == Edge::Column) {
        setColumnWidth(drag_.section, qMax(0, dragSize_ + p.x() - dragStart_));
        return true;
    }
    if (drag_.edge == Edge::Row) {
        setRowHeight(drag_.section, qMax(0, dragSize_ + p.y() - dragStart_));
        return true;
    }
    if (allowResizing_ && !(event->buttons() & Qt::LeftButton)) {
        const Edge e = borderAt(p).edge;
        if (e == Edge::Column)
            cursorOwner->setCursor(Qt::SplitHCursor);
        else if (e == Edge::Row)
            cursorOwner->setCursor(Qt::SplitVCursor);
        else
            cursorOwner->unsetCursor();
    }
    return false;
}

bool FlexGrid::pointerRelease(QMouseEvent* event)
{
    if (drag_.edge != Edge::None) {
        if (event->button() == Qt::LeftButton)
            drag_ = {};
        return true;
    }
    if (pressed_ && event->button() == Qt::LeftButton) {
        pressed_ = false;
        emit Click();
    }
    return false;
}

bool FlexGrid::pointerDoubleClick(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    // A double click on a border is two grabs of it, not a double click on a cell.
    if (event->button() == Qt::LeftButton && borderAt(p).edge != Edge::None)
        return pointerPress(event);
    mouseRow_ = rowAtPoint(p.y());
    mouseCol_ = colAtPoint(p.x());
    // The release that ends a double click is no click of its own: the first one was.
    pressed_ = false;
    if (event->button() == Qt::LeftButton)
        emit DblClick();
    return false;
}

void FlexGrid::mousePressEvent(QMouseEvent* event)
{
    if (!pointerPress(event))
        QTableView::mousePressEvent(event);
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (!pointerMove(event, viewport()))
        QTableView::mouseMoveEvent(event);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const bool dragged = drag_.edge != Edge::None;
    if (!dragged)
        QTableView::mouseReleaseEvent(event);
    pointerRelease(event);
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && borderAt(event->position().toPoint()).edge != Edge::None) {
        pointerPress(event);
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
    pointerDoubleClick(event);
}
