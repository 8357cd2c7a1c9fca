#include "platform/widgets/FlexGrid.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace {
// Two rows of 20 pixels and three columns of 50 in a 300 x 200 grid.
void layOutSmallGrid(FlexGrid& g)
{
    g.resize(300, 200);
    g.setColumnCount(3);
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
    g.setColumnCount(4);
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
    EXPECT_EQ(g.item(0, 2)->background().color(), QColor(128, 0, 0));
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
