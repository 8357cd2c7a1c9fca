#include "platform/widgets/FlexGrid.h"

#include "platform/Twips.h"
#include "platform/gui/WinColour.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <utility>

namespace {

constexpr int PictureRole = FlexGridModel::PictureRole;

// Draws a cell's picture centred over its background, as the gutter wants it. A cell
// without a colour of its own takes the grid's back colour, or button face when fixed.
class PictureDelegate : public QStyledItemDelegate
{
public:
    explicit PictureDelegate(FlexGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // The grid shows its state by cell colours only: no focus frame on the current cell.
        QStyleOptionViewItem plain(option);
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
        const QPixmap pm = index.data(PictureRole).value<QPixmap>();
        if (pm.isNull())
            return;
        const QSize size = pm.deviceIndependentSize().toSize();
        const QRect target(QPoint(option.rect.center().x() - size.width() / 2 + 1,
                                  option.rect.center().y() - size.height() / 2 + 1), size);
        painter->drawPixmap(target, pm);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const bool fixed = index.column() < grid_->FixedCols() || index.row() < grid_->FixedRows();
        if (!index.data(Qt::BackgroundRole).isValid())
            option->backgroundBrush = fixed ? grid_->palette().button() : QBrush(platform::FromWinRgb(grid_->BackColor()));
        if (fixed && !index.data(Qt::ForegroundRole).isValid())
            option->palette.setBrush(QPalette::Text, grid_->palette().buttonText());
    }

private:
    FlexGrid* grid_;
};

} // namespace

// One of the strips laid over the view's edges that show the fixed cells in place. It paints
// and answers the mouse through the grid, in the viewport's coordinates (it stands at the
// viewport's origin).
class FlexGridPane : public QWidget
{
public:
    FlexGridPane(FlexGrid* grid, bool fixedRowsPart, bool fixedColsPart)
        : QWidget(grid), grid_(grid), rowsPart_(fixedRowsPart), colsPart_(fixedColsPart)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_OpaquePaintEvent);
        hide();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        grid_->paintPane(painter, event->rect(), rowsPart_, colsPart_);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (grid_->focusPolicy() != Qt::NoFocus)
            grid_->setFocus(Qt::MouseFocusReason);
        grid_->pointerPress(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override { grid_->pointerMove(event, this); }
    void mouseReleaseEvent(QMouseEvent* event) override { grid_->pointerRelease(event); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { grid_->pointerDoubleClick(event); }
    void wheelEvent(QWheelEvent* event) override { QCoreApplication::sendEvent(grid_->viewport(), event); }

private:
    FlexGrid* grid_;
    bool rowsPart_;
    bool colsPart_;
};

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), model_(new FlexGridModel(this))
{
    setModel(model_);
    setItemDelegate(new PictureDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::StrongFocus);
    setWordWrap(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // Sideways the cells slide under the fixed columns pixel by pixel.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    viewport()->setMouseTracking(true);

    left_ = new FlexGridPane(this, false, true);
    top_ = new FlexGridPane(this, true, false);
    corner_ = new FlexGridPane(this, true, true);
    connect(model_, &QAbstractItemModel::rowsInserted, this, &FlexGrid::updatePanes);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &FlexGrid::updatePanes);
    connect(model_, &QAbstractItemModel::columnsInserted, this, &FlexGrid::updatePanes);
    connect(model_, &QAbstractItemModel::columnsRemoved, this, &FlexGrid::updatePanes);
    // While painting is held, what moves cells about repaints the whole grid at the release.
    const auto whole = [this] {
        if (paintHolds_ > 0)
            holdWhole();
    };
    connect(model_, &QAbstractItemModel::rowsAboutToBeInserted, this, whole);
    connect(model_, &QAbstractItemModel::rowsAboutToBeRemoved, this, whole);
    connect(model_, &QAbstractItemModel::columnsAboutToBeInserted, this, whole);
    connect(model_, &QAbstractItemModel::columnsAboutToBeRemoved, this, whole);
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, whole);
    connect(model_, &QAbstractItemModel::layoutAboutToBeChanged, this, whole);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, whole);
    connect(verticalHeader(), &QHeaderView::sectionResized, this, whole);
}

void FlexGrid::HoldPainting()
{
    ++paintHolds_;
}

void FlexGrid::ReleasePainting()
{
    if (paintHolds_ == 0 || --paintHolds_ > 0)
        return;
    if (heldWhole_) {
        heldWhole_ = false;
        setUpdatesEnabled(true); // repaints the whole grid
    }
    const QSet<QPoint> cells = std::exchange(heldCells_, {});
    for (const QPoint& c : cells) {
        const QModelIndex i = model_->index(c.y(), c.x());
        if (!i.isValid())
            continue;
        QTableView::dataChanged(i, i);
        updateFixedCells(c.y(), c.y(), c.x());
    }
}

void FlexGrid::holdWhole()
{
    if (heldWhole_)
        return;
    heldWhole_ = true;
    heldCells_.clear();
    setUpdatesEnabled(false);
}

void FlexGrid::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles)
{
    if (paintHolds_ > 0) {
        // Told to the view at the release, so that its painting and what it tells assistive
        // technology both come then, once per cell; the whole grid's repaint covers all.
        if (heldWhole_)
            return;
        for (int r = topLeft.row(); r <= bottomRight.row(); ++r)
            for (int c = topLeft.column(); c <= bottomRight.column(); ++c)
                heldCells_.insert(QPoint(c, r));
        return;
    }
    QTableView::dataChanged(topLeft, bottomRight, roles);
    updateFixedCells(topLeft.row(), bottomRight.row(), topLeft.column());
}

// The panes show the fixed cells only: a change elsewhere leaves them as they are.
void FlexGrid::updateFixedCells(int firstRow, int lastRow, int firstCol)
{
    if (!left_ || (firstRow >= fixedRows_ && firstCol >= fixedCols_))
        return;
    if (firstRow < fixedRows_) {
        updatePanes();
        return;
    }
    if (!left_->isVisible())
        return;
    const int top = rowTop(firstRow);
    const int bottom = rowTop(lastRow) + rowHeight(lastRow);
    left_->update(QRect(0, top, left_->width(), bottom - top));
}

void FlexGrid::SetBackColor(qint32 rgb)
{
    backColor_ = rgb;
    viewport()->update();
    updatePanes();
}

void FlexGrid::SetGridColor(qint32 rgb)
{
    // Styles take the line colour from different palette roles; a style sheet rule is the
    // one setting that every style honours.
    setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }").arg(platform::FromWinRgb(rgb).name()));
    updatePanes();
}

void FlexGrid::SetBackColorBkg(qint32 rgb)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, platform::FromWinRgb(rgb));
    setPalette(p);
    updatePanes();
}

void FlexGrid::SetGridLines(bool shown)
{
    setShowGrid(shown);
    updatePanes();
}

void FlexGrid::SetFixedCols(int cols)
{
    fixedCols_ = qMax(0, cols);
    viewport()->update();
    layOutPanes();
}

void FlexGrid::SetFixedRows(int rows)
{
    fixedRows_ = qMax(0, rows);
    viewport()->update();
    layOutPanes();
}

void FlexGrid::SetAllowUserResizing(bool allowed)
{
    allowResizing_ = allowed;
    if (!allowed) {
        drag_ = {};
        viewport()->unsetCursor();
        for (QWidget* w : {static_cast<QWidget*>(left_), static_cast<QWidget*>(top_), static_cast<QWidget*>(corner_)})
            w->unsetCursor();
    }
}

void FlexGrid::SetRows(int rows)
{
    model_->SetRows(rows);
}

void FlexGrid::SetCols(int cols)
{
    model_->SetCols(cols);
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    return model_->Text(row, col);
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text)
{
    model_->SetText(row, col, text);
}

void FlexGrid::SetCellBackColor(int row, int col, qint32 rgb)
{
    model_->SetBackColor(row, col, platform::FromWinRgb(rgb).rgb());
}

void FlexGrid::SetCellForeColor(int row, int col, qint32 rgb)
{
    model_->SetForeColor(row, col, platform::FromWinRgb(rgb).rgb());
}

void FlexGrid::SetCellFont(int row, int col, const QString& name, int pointSize, bool bold)
{
    model_->SetFont(row, col, name, pointSize, bold);
}

void FlexGrid::SetCellFontBold(int row, int col, bool bold)
{
    model_->SetFontBold(row, col, bold);
}

void FlexGrid::SetCellPicture(int row, int col, const QPixmap& picture)
{
    model_->SetPicture(row, col, picture);
}

QPixmap FlexGrid::CellPicture(int row, int col) const
{
    return model_->Picture(row, col);
}

qint32 FlexGrid::CellBackColor(int row, int col) const
{
    QRgb rgb = 0;
    return model_->BackColor(row, col, &rgb) ? platform::ToWinRgb(QColor::fromRgb(rgb)) : 0;
}

qint32 FlexGrid::CellForeColor(int row, int col) const
{
    QRgb rgb = 0;
    return model_->ForeColor(row, col, &rgb) ? platform::ToWinRgb(QColor::fromRgb(rgb)) : 0;
}

bool FlexGrid::CellFontBold(int row, int col) const
{
    return model_->FontBold(row, col);
}

void FlexGrid::SetColWidthTwips(int col, int twips)
{
    setColumnWidth(col, qMax(0, platform::TwipsToPixelsTruncated(twips)));
}

void FlexGrid::SetRowHeightTwips(int row, int twips)
{
    setRowHeight(row, qMax(0, platform::TwipsToPixelsTruncated(twips)));
}

int FlexGrid::ColWidthTwips(int col) const
{
    return col >= 0 && col < Cols() ? platform::PixelsToTwips(columnWidth(col)) : 0;
}

int FlexGrid::RowHeightTwips(int row) const
{
    return row >= 0 && row < Rows() ? platform::PixelsToTwips(rowHeight(row)) : 0;
}

// Relative to the control, its border included, so a box placed there covers the cell.
int FlexGrid::CellLeftTwips(int col) const
{
    return platform::PixelsToTwips(viewport()->geometry().left() + colLeft(col));
}

int FlexGrid::CellTopTwips(int row) const
{
    return platform::PixelsToTwips(viewport()->geometry().top() + rowTop(row));
}

int FlexGrid::TopRow() const
{
    const int r = rowAtPoint(fixedHeight());
    return r < 0 ? qMin(fixedRows_, qMax(0, Rows() - 1)) : r;
}

void FlexGrid::SetTopRow(int row)
{
    if (row < fixedRows_ || row >= Rows())
        return;
    // The rows scroll under the fixed ones, so the row that shows first below them is the one
    // the fixed rows' count further down.
    QTableView::scrollTo(model_->index(row - fixedRows_, 0), QAbstractItemView::PositionAtTop);
}

void FlexGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    QTableView::scrollTo(index, hint);
    if (!index.isValid())
        return;
    // A scrolling cell brought into view must not end up under the fixed ones.
    if (index.column() >= fixedCols_) {
        const int hidden = fixedWidth() - columnViewportPosition(index.column());
        if (hidden > 0)
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
    }
    if (index.row() >= fixedRows_) {
        for (int guard = 0; guard < fixedRows_ && rowViewportPosition(index.row()) < fixedHeight(); ++guard) {
            const int before = verticalScrollBar()->value();
            verticalScrollBar()->setValue(before - 1);
            if (verticalScrollBar()->value() == before)
                break;
        }
    }
}

int FlexGrid::fixedWidth() const
{
    int w = 0;
    for (int c = 0; c < qMin(fixedCols_, Cols()); ++c)
        w += columnWidth(c);
    return w;
}

int FlexGrid::fixedHeight() const
{
    int h = 0;
    for (int r = 0; r < qMin(fixedRows_, Rows()); ++r)
        h += rowHeight(r);
    return h;
}

int FlexGrid::colLeft(int col) const
{
    if (col < 0 || col >= Cols())
        return 0;
    if (col >= fixedCols_)
        return columnViewportPosition(col);
    int x = 0;
    for (int c = 0; c < col; ++c)
        x += columnWidth(c);
    return x;
}

int FlexGrid::rowTop(int row) const
{
    if (row < 0 || row >= Rows())
        return 0;
    if (row >= fixedRows_)
        return rowViewportPosition(row);
    int y = 0;
    for (int r = 0; r < row; ++r)
        y += rowHeight(r);
    return y;
}

void FlexGrid::scrollContentsBy(int dx, int dy)
{
    if (paintHolds_ > 0)
        holdWhole();
    QTableView::scrollContentsBy(dx, dy);
    updatePanes();
}

void FlexGrid::updateGeometries()
{
    QTableView::updateGeometries();
    layOutPanes();
}

void FlexGrid::layOutPanes()
{
    if (!left_)
        return;
    const QRect vp = viewport()->geometry();
    const int w = qMin(fixedWidth(), vp.width());
    const int h = qMin(fixedHeight(), vp.height());
    left_->setGeometry(vp.left(), vp.top(), w, vp.height());
    top_->setGeometry(vp.left(), vp.top(), vp.width(), h);
    corner_->setGeometry(vp.left(), vp.top(), w, h);
    left_->setVisible(w > 0 && vp.height() > 0);
    top_->setVisible(h > 0 && vp.width() > 0);
    corner_->setVisible(w > 0 && h > 0);
    left_->raise();
    top_->raise();
    corner_->raise();
    updatePanes();
}

void FlexGrid::updatePanes()
{
    if (!left_)
        return;
    for (QWidget* w : {static_cast<QWidget*>(left_), static_cast<QWidget*>(top_), static_cast<QWidget*>(corner_)})
        if (w->isVisible())
            w->update();
}

// Paints the fixed cells of one pane as the view paints its cells: the style's row panel, the
// delegate, then the grid lines along each cell's right and bottom edge.
void FlexGrid::paintPane(QPainter& painter, const QRect& dirty, bool fixedRowsPart, bool fixedColsPart) const
{
    painter.fillRect(dirty, palette().brush(QPalette::Base));
    if (Rows() == 0 || Cols() == 0)
        return;

    int firstRow = 0, lastRow = qMin(fixedRows_, Rows()) - 1;
    if (!fixedRowsPart) {
        firstRow = rowAt(dirty.top());
        lastRow = rowAt(dirty.bottom());
        if (firstRow < 0)
            return;
        if (lastRow < 0)
            lastRow = Rows() - 1;
    }
    int firstCol = 0, lastCol = qMin(fixedCols_, Cols()) - 1;
    if (!fixedColsPart) {
        firstCol = columnAt(dirty.left());
        lastCol = columnAt(dirty.right());
        if (firstCol < 0)
            return;
        if (lastCol < 0)
            lastCol = Cols() - 1;
    }

    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const int gridSize = showGrid() ? 1 : 0;
    const QColor gridColor = QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &base, this)));
    for (int r = firstRow; r <= lastRow; ++r) {
        const int h = rowHeight(r);
        if (h <= 0)
            continue;
        const int y = rowTop(r);
        for (int c = firstCol; c <= lastCol; ++c) {
            const int w = columnWidth(c);
            if (w <= 0)
                continue;
            const int x = colLeft(c);
            const QModelIndex index = model_->index(r, c);
            QStyleOptionViewItem opt(base);
            opt.rect = QRect(x, y, w - gridSize, h - gridSize);
            opt.palette.setCurrentColorGroup(isEnabled() ? QPalette::Normal : QPalette::Disabled);
            style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &opt, &painter, this);
            itemDelegateForIndex(index)->paint(&painter, opt, index);
            if (gridSize) {
                painter.setPen(QPen(gridColor, 1));
                painter.drawLine(x, y + h - 1, x + w - 1, y + h - 1);
                painter.drawLine(x + w - 1, y, x + w - 1, y + h - 1);
            }
        }
    }
}
