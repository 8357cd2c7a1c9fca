#pragma once
// A table with the few notions of a cell grid the program grid is written in: text by
// (row, column), per-cell colours, fonts and a centred picture, widths and heights in twips
// (15 per pixel), the top row, and the cell under the mouse at the last press.

#include <QPixmap>
#include <QTableWidget>

class FlexGrid : public QTableWidget
{
    Q_OBJECT

public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int Rows() const { return rowCount(); }
    void SetRows(int rows);

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
    qint32 CellBackColor(int row, int col) const;
    qint32 CellForeColor(int row, int col) const;
    bool CellFontBold(int row, int col) const;

    void SetColWidthTwips(int col, int twips);
    void SetRowHeightTwips(int row, int twips);
    // Cell positions relative to the control (its border included).
    int CellLeftTwips(int col) const;
    int CellTopTwips(int row) const;

    int TopRow() const;
    void SetTopRow(int row);

    void SetGridLines(bool shown) { setShowGrid(shown); }

    // The grid's own colours (Windows RGB): cells without a colour of their own, the grid
    // lines, and the area outside the cells. The first FixedCols columns take the system's
    // button-face colours.
    void SetBackColor(qint32 rgb);
    qint32 BackColor() const { return backColor_; }
    void SetGridColor(qint32 rgb);
    void SetBackColorBkg(qint32 rgb);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int cols);

    // The cell at the last mouse press; -1 where it named none (below the last row).
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }

signals:
    void Click();
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QTableWidgetItem* cell(int row, int col) const;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    bool pressed_ = false;
    qint32 backColor_ = 0xFFFFFF;
    int fixedCols_ = 0;
};
