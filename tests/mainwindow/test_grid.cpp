// The program grid through the real window: filling, gutter clicks, the execution highlight
// and its scrolling, and the in-place editor.
#include "test_run_window.h"
#include "DocumentLook.h"

#include "platform/gui/WinColour.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <array>

namespace {

using ProgramGrid = RunWindow;

TEST_F(ProgramGrid, FillsOneRowPerLineWithTheNormalLook)
{
    struct Case
    {
        QString text;
        QStringList rows;
    };
    const Case cases[] = {
        {"G00 X10\r\nG01 Z-5\r\nM30", {"G00 X10", "G01 Z-5", "M30"}},
        {"G00 X10\r\nM30\r\n", {"G00 X10", "M30", ""}},
    };
    Start();
    for (const Case& c : cases) {
        Edit(c.text);
        ShowGrid();
        ASSERT_EQ(Grid().Rows(), c.rows.size()) << c.text.toStdString();
        for (int r = 0; r < Grid().Rows(); ++r) {
            EXPECT_EQ(Grid().TextMatrix(r, 0), QString::number(r + 1));
            EXPECT_EQ(Grid().TextMatrix(r, 2), c.rows[r]);
            EXPECT_EQ(Grid().TextMatrix(r, 3), QString());
            EXPECT_TRUE(Grid().CellPicture(r, 1).isNull());
            EXPECT_EQ(Grid().CellBackColor(r, 2), settings.NormalBackColor);
            EXPECT_EQ(Grid().CellForeColor(r, 2), settings.NormalTextColor);
            EXPECT_FALSE(Grid().CellFontBold(r, 2));
            EXPECT_EQ(Grid().rowHeight(r), settings.DebugRowHeight / 15);
        }
    }
}

TEST_F(ProgramGrid, HoldsOneEmptyRowUntilFirstFilled)
{
    Start();
    ASSERT_EQ(Grid().Rows(), 1);
    EXPECT_EQ(Grid().Cols(), 4);
    EXPECT_EQ(Grid().TextMatrix(0, 2), QString());
}

TEST_F(ProgramGrid, ShowsSilverLinesAButtonFaceNumberColumnAndBlueBelowTheRows)
{
    Start("[BILLET X20 Z40\r\nM30");
    ShowGrid();
    ASSERT_EQ(Grid().Rows(), 2);
    const QImage shot = Grid().viewport()->grab().toImage();
    const QRect number = CellRect(0, 0);
    ASSERT_GT(number.width(), 4);
    EXPECT_EQ(QColor(shot.pixel(number.left() + 2, number.top() + 2)), Grid().palette().color(QPalette::Button));
    const QRect mark = CellRect(0, 1);
    EXPECT_EQ(QColor(shot.pixel(mark.center().x(), mark.bottom() + 1)), QColor(192, 192, 192)); // line under row 0
    const QPoint below(CellRect(1, 2).center().x(), CellRect(1, 2).bottom() + 10);
    ASSERT_LT(below.y(), shot.height());
    EXPECT_EQ(QColor(shot.pixel(below)), QColor(68, 102, 166));
}

TEST_F(ProgramGrid, GutterClicksSetAndClearABreakpointAndOtherColumnsOnlySetTheTooltip)
{
    Start("[BILLET X20 Z40\r\nG01 X10 Z-5 F100\r\nM30");
    ShowGrid();
    ASSERT_EQ(Grid().Rows(), 3);

    ClickCell(1, 2);
    EXPECT_EQ(Grid().toolTip(), QStringLiteral("G01 X10 Z-5 F100"));
    EXPECT_EQ(Grid().TextMatrix(1, 3), QString());

    ClickCell(1, 1);
    EXPECT_EQ(Grid().TextMatrix(1, 3), QStringLiteral("BP"));
    EXPECT_EQ(Grid().CellPicture(1, 1).toImage(), platform::GutterPicture("Break").toImage());
    EXPECT_EQ(Grid().CellBackColor(1, 2), settings.BreakPointColor);
    EXPECT_EQ(Grid().CellForeColor(1, 2), settings.BreakPointTextColor);
    EXPECT_TRUE(Grid().CellFontBold(1, 2));

    ClickCell(1, 1);
    EXPECT_EQ(Grid().TextMatrix(1, 3), QString());
    EXPECT_TRUE(Grid().CellPicture(1, 1).isNull());
    EXPECT_EQ(Grid().CellBackColor(1, 2), settings.NormalBackColor);
    EXPECT_EQ(Grid().CellForeColor(1, 2), settings.NormalTextColor);
    EXPECT_FALSE(Grid().CellFontBold(1, 2));
}

TEST_F(ProgramGrid, DoubleClickOnTheGutterTogglesOnceAndOpensTheEditorOverTheLine)
{
    Start("[BILLET X20 Z40\r\nG01 X10 Z-5 F100\r\nM30");
    ShowGrid();
    DoubleClickCell(2, 1);
    EXPECT_EQ(Grid().TextMatrix(2, 3), QStringLiteral("BP"));
    ASSERT_NE(window->txtDebug, nullptr);
    EXPECT_TRUE(window->txtDebug->isVisible());
    EXPECT_EQ(window->txtDebug->text(), QStringLiteral("M30"));
    EXPECT_EQ(window->EditRow, 2);
    EXPECT_EQ(window->txtDebug->cursorPosition(), 3);

    // It covers the program-line cell, up to 4 pixels short of the grid's right edge.
    const QRect cell = CellRect(2, 2).translated(Grid().viewport()->mapTo(window->txtDebug->parentWidget(), QPoint()));
    const QRect box = window->txtDebug->geometry();
    EXPECT_EQ(box.left(), cell.left());
    EXPECT_EQ(box.top(), cell.top());
    EXPECT_EQ(box.height(), settings.DebugRowHeight / 15);
    EXPECT_EQ(box.left() + box.width(), Grid().geometry().right() + 1 - 4);
}

TEST_F(ProgramGrid, ClicksBelowTheLastRowAreIgnored)
{
    Start("[BILLET X20 Z40\r\nM30");
    ShowGrid();
    ASSERT_EQ(Grid().Rows(), 2);
    ClickCell(0, 2);
    const QString tip = Grid().toolTip();
    const QPoint below(CellRect(0, 1).center().x(), CellRect(1, 1).bottom() + 20);
    ASSERT_LT(below.y(), Grid().viewport()->height());

    QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, below);
    DoubleClickAt(below);
    EXPECT_EQ(Grid().Rows(), 2);
    EXPECT_EQ(Grid().toolTip(), tip);
    EXPECT_EQ(Grid().TextMatrix(1, 3), QString());
    EXPECT_TRUE(window->txtDebug == nullptr || !window->txtDebug->isVisible());
}

TEST_F(ProgramGrid, EnterWritesTheLineBackAndRebuildsTheEditorText)
{
    Start("[BILLET X20 Z40\r\nG01 X10 Z-5 F100\r\nM30\r\n");
    ShowGrid();
    ASSERT_EQ(Grid().Rows(), 4);
    ClickCell(0, 1); // a breakpoint survives the edit
    DoubleClickCell(1, 2);
    ASSERT_TRUE(window->txtDebug && window->txtDebug->isVisible());
    window->txtDebug->setText(QStringLiteral("G01 X12 Z-6 F100"));
    QTest::keyClick(window->txtDebug, Qt::Key_Return);

    EXPECT_FALSE(window->txtDebug->isVisible());
    EXPECT_EQ(Grid().TextMatrix(1, 2), QStringLiteral("G01 X12 Z-6 F100"));
    // The empty last row keeps the trailing line break.
    EXPECT_EQ(window->TextEditor->Text(), QStringLiteral("[BILLET X20 Z40\r\nG01 X12 Z-6 F100\r\nM30\r\n"));
    EXPECT_FALSE(window->TextChanged);
    EXPECT_EQ(Grid().TextMatrix(0, 3), QStringLiteral("BP"));
    EXPECT_TRUE(Enabled("Save"));
    EXPECT_TRUE(Enabled("Start"));
}

// The edited line alone is replaced in the editor, and the editor ends as colouring the text
// rebuilt from the rows would leave it: the same characters, and every character and every
// line in the same format.
TEST_F(ProgramGrid, EnterReplacesOnlyTheEditedLineInTheFormatsOfTheColouringPass)
{
    const QString program = "[BILLET X20 Z40\r\nG01 X10 Z-5 F100 [rough\r\nM30\r\n";
    struct Case
    {
        const char* name;
        QString text; // the editor's text when the grid is shown
        bool reformatAfterwards; // Tools > Reformat Text with the grid showing: the editor no longer holds the rows
        int row;
        QString typed;
        bool lineOnly; // nothing but the edited line changes in the editor
    };
    const Case cases[] = {
        {"lower case, tab, plus, comment", program, false, 1, "g01 x12\tZ-6 +F100 [finish Cut", true},
        {"first line", program, false, 0, "[BILLET X30 Z50", true},
        {"empty last line", program, false, 3, "M02", true},
        {"emptied line", program, false, 2, "", true},
        {"unchanged line", program, false, 1, "G01 X10 Z-5 F100 [rough", true},
        {"rows apart from the editor", "[BILLET X20 Z40\r\ng01x10\r\nM30", true, 2, "m02 [end", false},
        {"a line break typed", program, false, 2, "M05\nM30", false},
    };
    for (const Case& c : cases) {
        Start();
        settings.EditorCharColor = platform::WinRgb(0, 0, 255);
        settings.EditorIntegerColor = platform::WinRgb(200, 0, 0);
        settings.EditorCommentColor = platform::WinRgb(0, 128, 0);
        settings.EditorBold = 1;
        window->TextBuffer->SetText(c.text);
        window->HighLightSyntax();
        ShowGrid();
        if (c.reformatAfterwards)
            window->mnuToolsReformatText_Click();
        window->EnableCommands("Save", false); // as after saving
        QStringList rows;
        for (int r = 0; r < Grid().Rows(); ++r)
            rows << (r == c.row ? c.typed : Grid().TextMatrix(r, 2));

        QTextDocument* doc = window->TextEditor->document();
        const QTextBlock line = doc->findBlockByNumber(c.row);
        ASSERT_TRUE(line.isValid()) << c.name;
        const int lineStart = line.position();
        const int lineEnd = line.position() + line.length() - 1;
        std::vector<std::array<int, 3>> edits;
        const auto recorder = QObject::connect(doc, &QTextDocument::contentsChange, [&](int at, int removed, int added) {
            edits.push_back({at, removed, added});
        });
        int changes = 0;
        const auto counter = QObject::connect(window->TextEditor, &RichTextBox::Change, [&] { ++changes; });
        DoubleClickCell(c.row, 2);
        ASSERT_TRUE(window->txtDebug && window->txtDebug->isVisible()) << c.name;
        window->txtDebug->setText(c.typed);
        QTest::keyClick(window->txtDebug, Qt::Key_Return);
        QObject::disconnect(recorder);
        QObject::disconnect(counter);

        EXPECT_GE(changes, 1) << c.name;
        if (c.lineOnly) {
            for (const auto& [at, removed, added] : edits) {
                EXPECT_GE(at, lineStart) << c.name;
                EXPECT_LE(at + removed, lineEnd) << c.name;
                EXPECT_LE(at + added, lineStart + int(c.typed.size())) << c.name;
            }
        }
        EXPECT_EQ(window->TextEditor->SelStart(), 0) << c.name;
        EXPECT_FALSE(window->TextChanged) << c.name;
        for (const char* key : {"Save", "Print", "Start", "Step"})
            EXPECT_TRUE(Enabled(key)) << c.name << " " << key;
        EXPECT_FALSE(Enabled("Pause")) << c.name;
        EXPECT_FALSE(Enabled("Stop")) << c.name;
        const Look edited = lookOf(*doc);

        // The whole text rebuilt from the rows and coloured from scratch.
        window->TextBuffer->SetText("X");
        window->HighLightSyntax();
        window->TextBuffer->SetText(rows.join("\r\n"));
        window->HighLightSyntax();
        expectSameLook(lookOf(*doc), edited, c.name);
        Finish();
    }
}

TEST_F(ProgramGrid, EscapeClosesTheEditorWithoutWriting)
{
    const QString text = "[BILLET X20 Z40\r\nM30";
    Start(text);
    ShowGrid();
    DoubleClickCell(1, 2);
    ASSERT_TRUE(window->txtDebug && window->txtDebug->isVisible());
    window->txtDebug->setText(QStringLiteral("M02"));
    QTest::keyClick(window->txtDebug, Qt::Key_Escape);
    EXPECT_FALSE(window->txtDebug->isVisible());
    EXPECT_EQ(Grid().TextMatrix(1, 2), QStringLiteral("M30"));
    EXPECT_EQ(window->TextEditor->Text(), text);
    EXPECT_FALSE(window->TextChanged);
}

TEST_F(ProgramGrid, HighlightingScrollsAtMultiplesOfTenAboveTen)
{
    QStringList lines;
    for (int i = 0; i < 80; ++i)
        lines << QStringLiteral("G01 X%1").arg(i);
    Start(lines.join("\r\n"));
    ShowGrid();
    ASSERT_EQ(Grid().Rows(), 80);
    ASSERT_GT(Grid().verticalScrollBar()->maximum(), 30);

    struct Case
    {
        int row, topBefore, topAfter;
    };
    for (const Case c : {Case{20, 0, 10}, Case{30, 0, 20}, Case{10, 5, 5}, Case{25, 5, 5}}) {
        Grid().SetTopRow(c.topBefore);
        QCoreApplication::processEvents();
        ASSERT_EQ(Grid().TopRow(), c.topBefore);
        window->HighLightExecutingLine(c.row);
        QCoreApplication::processEvents();
        EXPECT_EQ(Grid().TopRow(), c.topAfter) << "row " << c.row;
        EXPECT_EQ(Grid().CellBackColor(c.row, 2), settings.ExecutionPointColor);
        window->RemoveHighLighting(c.row);
        EXPECT_EQ(Grid().CellBackColor(c.row, 2), settings.NormalBackColor);
    }
}

TEST_F(ProgramGrid, SettingsHideLineNumbersAndGridLines)
{
    Start();
    settings.DebugLineNumbers = 0;
    settings.DebugGrid = 0;
    window->ApplyDebugGridSettings();
    EXPECT_EQ(Grid().columnWidth(0), 0);
    EXPECT_EQ(Grid().columnWidth(3), 0);
    EXPECT_FALSE(Grid().showGrid());
    settings.DebugLineNumbers = 1;
    settings.DebugGrid = 1;
    window->ApplyDebugGridSettings();
    EXPECT_EQ(Grid().columnWidth(0), settings.DebugC0Width / 15);
    EXPECT_EQ(Grid().columnWidth(2), settings.DebugC2Width / 15);
    EXPECT_TRUE(Grid().showGrid());
}

} // namespace

TEST_F(ProgramGrid, LineNumbersStayInPlaceWhenTheGridScrollsSideways)
{
    Start("[BILLET X20 Z40\r\nG01 X10 Z-5 F100\r\nM30");
    settings.DebugC2Width = 30000; // far wider than the window: the grid scrolls sideways
    window->ApplyDebugGridSettings();
    ShowGrid();
    QScrollBar* sideways = Grid().horizontalScrollBar();
    ASSERT_GT(sideways->maximum(), 0);
    const QRect number = CellRect(1, 0).translated(Grid().viewport()->geometry().topLeft());
    const QImage before = Grid().grab(number).toImage();
    sideways->setValue(sideways->maximum());
    QCoreApplication::processEvents();
    EXPECT_EQ(Grid().grab(number).toImage(), before);

    // A click there still names the line number's cell, and the gutter opens up beside it.
    const QPoint inGrid = number.center();
    QWidget* under = Grid().childAt(inGrid);
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(&Grid(), inGrid));
    EXPECT_EQ(Grid().MouseRow(), 1);
    EXPECT_EQ(Grid().MouseCol(), 0);
    sideways->setValue(0);
    ClickCell(1, 1);
    EXPECT_EQ(Grid().TextMatrix(1, 3), QStringLiteral("BP"));
}
