#include "platform/widgets/FlexGrid.h"

#include "platform/WinColor.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int PictureRole = Qt::UserRole + 1;

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
        const bool fixed = index.column() < grid_->FixedCols();
        if (!index.data(Qt::BackgroundRole).isValid())
            option->backgroundBrush = fixed ? grid_->palette().button() : QBrush(platform::FromWinRgb(grid_->BackColor()));
        if (fixed && !index.data(Qt::ForegroundRole).isValid())
            option->palette.setBrush(QPalette::Text, grid_->palette().buttonText());
    }

private:
    FlexGrid* grid_;
};

int twipsToPixels(int twips)
{
    return twips / 15;
}

} // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent)
{
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
}

void FlexGrid::SetBackColor(qint32 rgb)
{
    backColor_ = rgb;
    viewport()->update();
}

void FlexGrid::SetGridColor(qint32 rgb)
{
    // Styles take the line colour from different palette roles; a style sheet rule is the
    // one setting that every style honours.
    setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }").arg(platform::FromWinRgb(rgb).name()));
}

void FlexGrid::SetBackColorBkg(qint32 rgb)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, platform::FromWinRgb(rgb));
    setPalette(p);
}

void FlexGrid::SetFixedCols(int cols)
{
    fixedCols_ = qMax(0, cols);
    viewport()->update();
}

void FlexGrid::SetRows(int rows)
{
    setRowCount(rows);
}

QTableWidgetItem* FlexGrid::cell(int row, int col) const
{
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount())
        return nullptr;
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        const_cast<FlexGrid*>(this)->setItem(row, col, it);
    }
    return it;
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    const QTableWidgetItem* it = (row < 0 || col < 0) ? nullptr : item(row, col);
    return it ? it->text() : QString();
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text)
{
    if (QTableWidgetItem* it = cell(row, col))
        it->setText(text);
}

void FlexGrid::SetCellBackColor(int row, int col, qint32 rgb)
{
    if (QTableWidgetItem* it = cell(row, col))
        it->setBackground(platform::FromWinRgb(rgb));
}

void FlexGrid::SetCellForeColor(int row, int col, qint32 rgb)
{
    if (QTableWidgetItem* it = cell(row, col))
        it->setForeground(platform::FromWinRgb(rgb));
}

void FlexGrid::SetCellFont(int row, int col, const QString& name, int pointSize, bool bold)
{
    if (QTableWidgetItem* it = cell(row, col)) {
        QFont f(name);
        if (pointSize > 0)
            f.setPointSize(pointSize);
        f.setBold(bold);
        it->setFont(f);
    }
}

void FlexGrid::SetCellFontBold(int row, int col, bool bold)
{
    if (QTableWidgetItem* it = cell(row, col)) {
        QFont f = it->font();
        f.setBold(bold);
        it->setFont(f);
    }
}

void FlexGrid::SetCellPicture(int row, int col, const QPixmap& picture)
{
    if (QTableWidgetItem* it = cell(row, col))
        it->setData(PictureRole, picture.isNull() ? QVariant() : QVariant(picture));
}

QPixmap FlexGrid::CellPicture(int row, int col) const
{
    const QTableWidgetItem* it = (row < 0 || col < 0) ? nullptr : item(row, col);
    return it ? it->data(PictureRole).value<QPixmap>() : QPixmap();
}

qint32 FlexGrid::CellBackColor(int row, int col) const
{
    const QTableWidgetItem* it = (row < 0 || col < 0) ? nullptr : item(row, col);
    return it ? platform::ToWinRgb(it->background().color()) : 0;
}

qint32 FlexGrid::CellForeColor(int row, int col) const
{
    const QTableWidgetItem* it = (row < 0 || col < 0) ? nullptr : item(row, col);
    return it ? platform::ToWinRgb(it->foreground().color()) : 0;
}

bool FlexGrid::CellFontBold(int row, int col) const
{
    const QTableWidgetItem* it = (row < 0 || col < 0) ? nullptr : item(row, col);
    return it && it->font().bold();
}

void FlexGrid::SetColWidthTwips(int col, int twips)
{
    setColumnWidth(col, qMax(0, twipsToPixels(twips)));
}

void FlexGrid::SetRowHeightTwips(int row, int twips)
{
    setRowHeight(row, qMax(0, twipsToPixels(twips)));
}

// Relative to the control, its border included, so a box placed there covers the cell.
int FlexGrid::CellLeftTwips(int col) const
{
    return (viewport()->geometry().left() + columnViewportPosition(col)) * 15;
}

int FlexGrid::CellTopTwips(int row) const
{
    return (viewport()->geometry().top() + rowViewportPosition(row)) * 15;
}

int FlexGrid::TopRow() const
{
    const int r = rowAt(0);
    return r < 0 ? 0 : r;
}

void FlexGrid::SetTopRow(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    scrollTo(model()->index(row, 0), QAbstractItemView::PositionAtTop);
}

void FlexGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    mouseRow_ = rowAt(p.y());
    mouseCol_ = columnAt(p.x());
    pressed_ = true;
    QTableWidget::mousePressEvent(event);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event)
{
    QTableWidget::mouseReleaseEvent(event);
    if (pressed_ && event->button() == Qt::LeftButton) {
        pressed_ = false;
        emit Click();
    }
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    mouseRow_ = rowAt(p.y());
    mouseCol_ = columnAt(p.x());
    // The release that ends a double click is no click of its own: the first one was.
    pressed_ = false;
    QTableWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}
