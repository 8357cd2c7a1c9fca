#pragma once
// A table with the few notions of a cell grid the program grid is written in: text by
// (row, column), per-cell colours, fonts and a centred picture, widths and heights in twips
// (15 per pixel), fixed rows and columns that stay in place when the grid scrolls, borders the
// user may drag, the top row, and the cell under the mouse at the last press.
//
// The cells live in a FlexGridModel. The fixed cells are painted by small panes laid over the
// edges of the view, from the view's own row and column geometry, so nothing is kept twice.

#include "platform/widgets/FlexGridModel.h"

#include <QPixmap>
#include <QPoint>
#include <QSet>
#include <QTableView>

class FlexGridPane;

class FlexGrid : public QTableView
{
    Q_OBJECT

public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int Rows() const { return model_->rowCount(); }
    void SetRows(int rows);
    int Cols() const { return model_->columnCount(); }
    void SetCols(int cols);

    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    // Windows RGB colours.
    void SetCellBackColor(int row, int col, qint32 rgb);
    void SetCellForeColor(int row, int col, qint32 rgb);
    void SetCellFont(int row, int col, const QString& name, int pointSize, bool bold);
    void SetCellFontBold(int row, int col, bool bold);
    // A null pixmap clears the cell's picture; pictures are drawn centred in the cell.
    void SetCellPicture(int row, int col, const QPixmap& picture);
    QPixmap CellPicture(int row, int col) const;
    // 0 (black) for a cell without a colour of its own.
    qint32 CellBackColor(int row, int col) const;
    qint32 CellForeColor(int row, int col) const;
    bool CellFontBold(int row, int col) const;

    void SetColWidthTwips(int col, int twips);
    void SetRowHeightTwips(int row, int twips);
    // The sizes as they stand, a user's drag included.
    int ColWidthTwips(int col) const;
    int RowHeightTwips(int row) const;
    // Cell positions relative to the control (its border included); fixed cells where they
    // stay, the others where the scrolling has put them.
    int CellLeftTwips(int col) const;
    int CellTopTwips(int row) const;

    // The first row below the fixed rows that the grid shows.
    int TopRow() const;
    void SetTopRow(int row);

    void SetGridLines(bool shown);

    // The grid's own colours (Windows RGB): cells without a colour of their own, the grid
    // lines, and the area outside the cells. The fixed rows and columns take the system's
    // button-face colours.
    void SetBackColor(qint32 rgb);
    qint32 BackColor() const { return backColor_; }
    void SetGridColor(qint32 rgb);
    void SetBackColorBkg(qint32 rgb);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int cols);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int rows);

    // Whether the user may drag column and row borders (off by default).
    void SetAllowUserResizing(bool allowed);

    // The cell at the last mouse press; -1 where it named none (below the last row).
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }

    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // Holds back the grid's painting until as many releases as holds: then the cells changed
    // meanwhile repaint, each alone, or the whole grid when rows, sizes or the scrolling
    // changed. What the grid holds changes at once; only its painting waits.
    void HoldPainting();
    void ReleasePainting();

signals:
    void Click();
    void DblClick();

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    friend class FlexGridPane;
    enum class Edge { None, Column, Row };
    struct Border
    {
        Edge edge = Edge::None;
        int section = -1;
    };

    // Geometry in viewport coordinates, fixed cells at their fixed places.
    int fixedWidth() const;
    int fixedHeight() const;
    int colLeft(int col) const;
    int rowTop(int row) const;
    int colAtPoint(int x) const;
    int rowAtPoint(int y) const;
    Border borderAt(QPoint p) const;

    // Mouse handling shared by the view and the fixed panes; true when the event was taken.
    bool pointerPress(QMouseEvent* event);
    bool pointerMove(QMouseEvent* event, QWidget* cursorOwner);
    bool pointerRelease(QMouseEvent* event);
    bool pointerDoubleClick(QMouseEvent* event);

    void paintPane(QPainter& painter, const QRect& dirty, bool fixedRowsPart, bool fixedColsPart) const;
    void layOutPanes();
    void updatePanes();
    void updateFixedCells(int firstRow, int lastRow, int firstCol);
    void holdWhole();

    FlexGridModel* model_ = nullptr;
    FlexGridPane* left_ = nullptr;   // fixed columns beside the scrolling rows
    FlexGridPane* top_ = nullptr;    // fixed rows above the scrolling columns
    FlexGridPane* corner_ = nullptr; // where both meet
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    bool pressed_ = false;
    qint32 backColor_ = 0xFFFFFF;
    int fixedCols_ = 0;
    int fixedRows_ = 0;
    bool allowResizing_ = false;
    Border drag_;
    int dragStart_ = 0;
    int dragSize_ = 0;
    int paintHolds_ = 0;
    bool heldWhole_ = false;         // updates off until the last release
    QSet<QPoint> heldCells_;         // (column, row) of the cells changed while held
};
