#include "platform/widgets/FlexGrid.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QPixmap>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <vector>

namespace {
// Two rows of 20 pixels and three columns of 50 in a 300 x 200 grid.
void layOutSmallGrid(FlexGrid& g)
{
    g.resize(300, 200);
    g.SetCols(3);
    g.SetRows(2);
    for (int c = 0; c < 3; ++c)
        g.setColumnWidth(c, 50);
    g.setRowHeight(0, 20);
    g.setRowHeight(1, 20);
}
} // namespace

TEST(FlexGrid, CellsColoursAndTwips)
{
    FlexGrid g;
    g.SetCols(4);
    g.SetRows(3);
    g.SetColWidthTwips(0, 350);
    g.SetColWidthTwips(2, 3500);
    g.SetColWidthTwips(3, 0);
    g.SetRowHeightTwips(1, 285);
    EXPECT_EQ(g.columnWidth(0), 23);
    EXPECT_EQ(g.columnWidth(2), 233);
    EXPECT_EQ(g.columnWidth(3), 0);
    EXPECT_EQ(g.rowHeight(1), 19);

    EXPECT_EQ(g.TextMatrix(2, 3), QString());
    g.SetTextMatrix(2, 3, "BP");
    EXPECT_EQ(g.TextMatrix(2, 3), "BP");
    EXPECT_EQ(g.TextMatrix(7, 3), QString()); // outside: nothing, no crash
    g.SetTextMatrix(7, 3, "x");
    EXPECT_EQ(g.Rows(), 3);

    g.SetCellBackColor(0, 2, 128); // dark red in Windows order
    EXPECT_EQ(g.model()->index(0, 2).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(128, 0, 0));
    EXPECT_EQ(g.CellBackColor(0, 2), 128);
    g.SetCellFont(0, 2, "Courier New", 10, true);
    EXPECT_TRUE(g.CellFontBold(0, 2));
    QPixmap pm(8, 8);
    g.SetCellPicture(0, 1, pm);
    EXPECT_FALSE(g.CellPicture(0, 1).isNull());
    g.SetCellPicture(0, 1, QPixmap());
    EXPECT_TRUE(g.CellPicture(0, 1).isNull());
}

TEST(FlexGrid, ClickReportsTheCellUnderTheMouseOrNone)
{
    FlexGrid g;
    layOutSmallGrid(g);
    g.show();
    QSignalSpy clicks(&g, &FlexGrid::Click);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(75, 30));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(g.MouseRow(), 1);
    EXPECT_EQ(g.MouseCol(), 1);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(75, 150));
    EXPECT_EQ(g.MouseRow(), -1);
}

TEST(FlexGrid, PaintsItsOwnColoursCellsLinesFixedColumnAndTheAreaOutside)
{
    FlexGrid g;
    layOutSmallGrid(g);
    g.SetBackColor(0xFFFFFF);
    g.SetBackColorBkg(0xA66644); // RGB(68, 102, 166) in Windows order
    g.SetGridColor(0xC0C0C0);
    g.SetFixedCols(1);
    g.SetCellBackColor(1, 2, 0x0000FF); // a colour of its own wins
    g.show();
    const QImage shot = g.viewport()->grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(75, 10)), QColor(255, 255, 255));       // plain cell
    EXPECT_EQ(QColor(shot.pixel(125, 30)), QColor(255, 0, 0));          // coloured cell
    EXPECT_EQ(QColor(shot.pixel(25, 10)), g.palette().color(QPalette::Button)); // fixed column
    EXPECT_EQ(QColor(shot.pixel(75, 19)), QColor(192, 192, 192));       // line under row 0
    EXPECT_EQ(QColor(shot.pixel(200, 150)), QColor(68, 102, 166));      // outside the cells
}

namespace {
// A grid of 30 rows of 20 pixels and four columns 40, 200, 200 and 200 wide in a 300 x 200
// control: it scrolls both ways. Column 0 and row 0 are green and blue, the rest white.
void layOutWideGrid(FlexGrid& g, int fixedRows, int fixedCols)
{
    g.resize(300, 200);
    g.SetCols(4);
    g.SetRows(30);
    g.SetFixedRows(fixedRows);
    g.SetFixedCols(fixedCols);
    g.setColumnWidth(0, 40);
    for (int c = 1; c < 4; ++c)
        g.setColumnWidth(c, 200);
    for (int r = 0; r < 30; ++r) {
        g.setRowHeight(r, 20);
        for (int c = 0; c < 4; ++c)
            g.SetCellBackColor(r, c, c == 0 ? 0x00FF00 : r == 0 ? 0xFF0000 : 0xFFFFFF);
    }
    g.show();
    QCoreApplication::processEvents();
}

// A point of the viewport as the user sees it: the fixed panes included.
QColor seenAt(FlexGrid& g, QPoint p)
{
    const QImage shot = g.grab().toImage();
    return QColor(shot.pixel(g.viewport()->geometry().topLeft() + p));
}

// The widget the user's mouse meets at a point of the viewport, and the point in it.
std::pair<QWidget*, QPoint> under(FlexGrid& g, QPoint p)
{
    const QPoint inGrid = g.viewport()->geometry().topLeft() + p;
    QWidget* w = g.childAt(inGrid);
    return {w, w->mapFrom(&g, inGrid)};
}

void drag(FlexGrid& g, QPoint from, QPoint to)
{
    auto [w, at] = under(g, from);
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    QMouseEvent move(QEvent::MouseMove, QPointF(at + (to - from)), w->mapToGlobal(QPointF(at + (to - from))),
                     Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(w, &move);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at + (to - from));
}
} // namespace

TEST(FlexGrid, FixedColumnsAndRowsStayWhileTheCellsScrollUnderThem)
{
    const QColor green(0, 255, 0), blue(0, 0, 255), white(255, 255, 255);
    struct Case
    {
        int fixedRows, fixedCols;
        QColor corner, left, top; // at (10, 10), (10, 50), (100, 10) after scrolling both ways
    } cases[] = {
        {0, 1, green, green, white},
        {1, 0, blue, white, blue},
        {1, 1, green, green, blue},
        {0, 0, white, white, white},
    };
    for (const Case& c : cases) {
        FlexGrid g;
        layOutWideGrid(g, c.fixedRows, c.fixedCols);
        g.horizontalScrollBar()->setValue(g.horizontalScrollBar()->maximum());
        g.verticalScrollBar()->setValue(5);
        QCoreApplication::processEvents();
        const std::string name = std::to_string(c.fixedRows) + " fixed rows, " + std::to_string(c.fixedCols) + " fixed columns";
        EXPECT_EQ(seenAt(g, {10, 10}), c.corner) << name;
        EXPECT_EQ(seenAt(g, {10, 50}), c.left) << name;
        EXPECT_EQ(seenAt(g, {100, 10}), c.top) << name;

        // The cell under the mouse is the one seen there.
        auto [w, at] = under(g, {10, 50});
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
        EXPECT_EQ(g.MouseCol(), c.fixedCols ? 0 : 2) << name;
        EXPECT_EQ(g.MouseRow(), 7) << name;
        auto [w2, at2] = under(g, {100, 10});
        QTest::mouseClick(w2, Qt::LeftButton, {}, at2);
        EXPECT_EQ(g.MouseRow(), c.fixedRows ? 0 : 5) << name;
    }
}

TEST(FlexGrid, TopRowIsTheFirstRowBelowTheFixedOnes)
{
    FlexGrid g;
    layOutWideGrid(g, 1, 1);
    EXPECT_EQ(g.TopRow(), 1);
    g.SetTopRow(12);
    EXPECT_EQ(g.TopRow(), 12);
    EXPECT_EQ(g.CellTopTwips(12), (g.viewport()->geometry().top() + 20) * 15); // right below row 0
    EXPECT_EQ(g.CellTopTwips(0), g.viewport()->geometry().top() * 15);
    g.SetTopRow(0); // a fixed row is no top row: nothing moves
    EXPECT_EQ(g.TopRow(), 12);
}

TEST(FlexGrid, BordersDragOnlyWhereResizingIsAllowed)
{
    struct Case
    {
        bool allowed;
        QPoint from, to;
        int col, width;  // the column to look at and its width after the drag
        int row, height; // the row to look at and its height after
        bool clicked;
    } cases[] = {
        {true, {240, 30}, {270, 30}, 1, 230, 1, 20, false},  // column 1's right border
        {true, {38, 30}, {58, 35}, 0, 60, 1, 20, false},     // the fixed column's border, on its pane
        {true, {100, 40}, {100, 52}, 1, 200, 1, 32, false},  // row 1's bottom border
        {true, {100, 19}, {100, 9}, 1, 200, 0, 10, false},   // the fixed row's border
        {false, {240, 30}, {270, 30}, 1, 200, 1, 20, true},  // not allowed: a click
        {true, {120, 30}, {150, 30}, 1, 200, 1, 20, true},   // inside a cell: a click
    };
    for (const Case& c : cases) {
        FlexGrid g;
        layOutWideGrid(g, 1, 1);
        g.SetAllowUserResizing(c.allowed);
        QSignalSpy clicks(&g, &FlexGrid::Click);
        drag(g, c.from, c.to);
        EXPECT_EQ(g.ColWidthTwips(c.col), c.width * 15) << c.from.x() << "," << c.from.y();
        EXPECT_EQ(g.RowHeightTwips(c.row), c.height * 15) << c.from.x() << "," << c.from.y();
        EXPECT_EQ(clicks.count(), c.clicked ? 1 : 0) << c.from.x() << "," << c.from.y();
    }
}

TEST(FlexGrid, AHiddenColumnCannotBeDraggedOpen)
{
    FlexGrid g;
    layOutWideGrid(g, 0, 1);
    g.setColumnWidth(2, 0);
    g.SetAllowUserResizing(true);
    drag(g, {240, 30}, {270, 30}); // where columns 1 and 2 end together
    EXPECT_EQ(g.ColWidthTwips(2), 0);
    EXPECT_EQ(g.ColWidthTwips(1), 230 * 15);
}

TEST(FlexGrid, ResizingKeepsTheCellsAndGrowsWithoutAnItemPerCell)
{
    FlexGrid g;
    g.SetCols(3);
    g.SetRows(100000);
    for (int r = 0; r < 100000; ++r)
        g.SetTextMatrix(r, 2, QString::number(r));
    g.SetCellFontBold(99999, 2, true);
    g.SetCols(4); // existing cells keep their contents
    EXPECT_EQ(g.TextMatrix(99999, 2), "99999");
    EXPECT_TRUE(g.CellFontBold(99999, 2));
    EXPECT_EQ(g.model()->index(5, 2).data().toString(), "5");
    g.SetRows(10);
    EXPECT_EQ(g.TextMatrix(9, 2), "9");
    EXPECT_EQ(g.TextMatrix(10, 2), QString());
    g.SetRows(20); // rows that come back are empty
    EXPECT_EQ(g.TextMatrix(15, 2), QString());
    EXPECT_FALSE(g.CellFontBold(15, 2));
}

TEST(FlexGridModel, EveryCellKeepsItsOwnFontAndPictureHoweverManyThereAre)
{
    // More distinct fonts and pictures than a 16-bit table index can count.
    constexpr int rows = 70000;
    FlexGridModel m;
    m.SetCols(1);
    m.SetRows(rows);
    std::vector<qint64> keys;
    keys.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        const QPixmap picture(1, 1);
        keys.push_back(picture.cacheKey());
        m.SetPicture(r, 0, picture);
        m.SetFont(r, 0, QStringLiteral("F%1").arg(r), 0, false);
    }
    int wrong = 0;
    for (int r = 0; r < rows; ++r) {
        const QFont font = m.data(m.index(r, 0), Qt::FontRole).value<QFont>();
        if (m.Picture(r, 0).cacheKey() != keys[r] || font.family() != QStringLiteral("F%1").arg(r))
            ++wrong;
    }
    EXPECT_EQ(wrong, 0);
    // A picture or font set again is found, not added.
    m.SetPicture(1, 0, m.Picture(0, 0));
    EXPECT_EQ(m.Picture(1, 0).cacheKey(), keys[0]);
    EXPECT_EQ(m.Picture(0, 0).cacheKey(), keys[0]);
}

TEST(FlexGrid, FixedCellsLookAsTheViewWouldPaintThem)
{
    FlexGrid g;
    layOutWideGrid(g, 1, 1);
    g.SetGridColor(0xC0C0C0);
    for (int r = 0; r < 30; ++r) {
        g.SetTextMatrix(r, 0, QString::number(r + 1));
        g.SetTextMatrix(r, 1, QStringLiteral("G01 X%1").arg(r));
        g.SetCellBackColor(r, 0, 0xFFFFFF);
    }
    g.SetCellBackColor(2, 0, 0x00FFFF); // a cell of its own colour
    g.SetCellFontBold(3, 0, true);
    g.SetCellPicture(4, 0, [] { QPixmap pm(8, 8); pm.fill(Qt::red); return pm; }());
    QCoreApplication::processEvents();
    const QImage seen = g.grab(g.viewport()->geometry()).toImage();
    const QImage painted = g.viewport()->grab().toImage();
    EXPECT_EQ(seen, painted);
}
