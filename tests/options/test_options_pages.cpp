// The Options pages: their controls acting on the samples.
#include "OptionsFixture.h"

#include <set>

namespace {

// The sample text's positions by colour class: the comment line, the address letters, the
// numbers with their signs; blanks and line ends are none of them.
const std::set<int> CommentPositions{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
const std::set<int> LetterPositions{17, 21, 25, 29, 33};
const std::set<int> NumberPositions{18, 19, 22, 23, 26, 30, 31, 34, 35, 36};

TEST_F(OptionsDialog, ACodingColourRecoloursOnlyItsClass)
{
    const struct { const char* entry; const std::set<int>* positions; } cases[] = {
        {"Integers", &NumberPositions},
        {"Characters", &LetterPositions},
        {"Comments", &CommentPositions},
    };
    for (const auto& c : cases) {
        Open();
        answers.push_back(255);
        Choose(dialog->cmbEditorColours, c.entry);
        const qint32 before = dialog->lblEditorColor->BackColor();
        dialog->lblEditorColor_Click();
        EXPECT_EQ(openedOn.back(), before); // the dialog opens on the swatch's colour
        EXPECT_EQ(dialog->lblEditorColor->BackColor(), 255);
        const QString text = dialog->richSample->Text();
        for (int pos = 0; pos < text.size(); ++pos) {
            if (text[pos] == u' ' || text[pos] == u'\r' || text[pos] == u'\n')
                continue;
            EXPECT_EQ(SampleColour(pos) == 255, c.positions->count(pos) == 1) << c.entry << " at " << pos;
        }
    }
}

TEST_F(OptionsDialog, TheBackgroundColourIsTheSamplesBack)
{
    Open();
    answers.push_back(65535);
    dialog->lblEditorColor_Click(); // "Background" is chosen on opening
    EXPECT_EQ(dialog->Working.EditorBackColor, 65535);
    EXPECT_EQ(dialog->richSample->BackColor(), 65535);
}

TEST_F(OptionsDialog, CancellingTheColourDialogKeepsTheSwatch)
{
    Open();
    Choose(dialog->cmbEditorColours, "Characters");
    dialog->lblEditorColor_Click(); // no answer: cancelled
    EXPECT_EQ(dialog->lblEditorColor->BackColor(), 16711680);
    EXPECT_EQ(dialog->Working.EditorCharColor, 16711680);
    dialog->SSTab->setCurrentIndex(2);
    QTest::mouseClick(dialog->lblWPColor, Qt::LeftButton);
    EXPECT_EQ(dialog->lblWPColor->BackColor(), 16711680);
    EXPECT_EQ(openedOn, (std::vector<qint32>{16711680, 16711680}));
}

TEST_F(OptionsDialog, BoldFontAndSizeApplyToTheWholeSample)
{
    Open();
    const auto whole = [this] {
        dialog->richSample->Select(0, dialog->richSample->TextLength());
        struct { bool bold; QString font; double size; } f{dialog->richSample->SelBold(), dialog->richSample->SelFontName(),
                                                             dialog->richSample->SelFontSize()};
        dialog->richSample->Select(0, 0);
        return f;
    };
    dialog->chkEditorFontBold->setChecked(true);
    EXPECT_TRUE(whole().bold);
    dialog->richSample->Select(2, 1); // the comment line too
    EXPECT_TRUE(dialog->richSample->SelBold());
    dialog->chkEditorFontBold->setChecked(false);
    EXPECT_FALSE(whole().bold);
    Choose(dialog->cmbEditorFonts, "Arial");
    Choose(dialog->cmbEditorFontSize, "18");
    EXPECT_EQ(whole().font, "Arial");
    EXPECT_EQ(whole().size, 18);
    EXPECT_EQ(SampleColour(0), 32768); // the colours stay
}

TEST_F(OptionsDialog, EditorDefaultsRestoreFontColoursAndTheGeneralBoxes)
{
    Put("TextEditor", "Character", "255");
    Put("TextEditor", "Bold", "1");
    Put("TextEditor", "Size", "14");
    Put("General", "AutoComplete", "0");
    Put("General", "OpenLastFile", "0");
    Open();
    Choose(dialog->cmbEditorColours, "Characters");
    EXPECT_EQ(dialog->lblEditorColor->BackColor(), 255);
    dialog->chkSplashScreen->setChecked(false);
    Choose(dialog->cmbEditorFonts, "Tahoma");

    QTest::mouseClick(dialog->cmdEditorDefault, Qt::LeftButton);
    EXPECT_EQ(dialog->cmbEditorFonts->currentText(), "Courier New");
    EXPECT_EQ(dialog->cmbEditorFontSize->currentText(), "10");
    EXPECT_FALSE(dialog->chkEditorFontBold->isChecked());
    for (QCheckBox* box : {dialog->chkAutoComplete, dialog->chkAutoReformat, dialog->chkOpenLastFile, dialog->chkSplashScreen})
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_EQ(dialog->Working.EditorCharColor, 16711680);
    EXPECT_EQ(dialog->Working.EditorCommentColor, 32768);
    EXPECT_EQ(dialog->lblEditorColor->BackColor(), 16711680); // the swatch follows
    EXPECT_EQ(SampleColour(17), 16711680);
    dialog->richSample->Select(0, 5);
    EXPECT_EQ(dialog->richSample->SelFontSize(), 10);
    EXPECT_FALSE(dialog->richSample->SelBold());
}

// --- Simulation page ---

struct SimLook
{
    QColor back, part, face;
};

SimLook LookOf(const PictureBox& pic)
{
    const QImage& img = pic.Image();
    const int mid = int(pic.ScaleHeight() / 2);
    return {img.pixelColor(150, mid), img.pixelColor(30, mid - 25), img.pixelColor(60, mid - 25)};
}

TEST_F(OptionsDialog, SimulationSampleIsATwoStepPartWithItsFace)
{
    Put("SimulationWindow", "WorkPieceColor", "255");
    Put("SimulationWindow", "BackColor", "0");
    Open();
    dialog->SSTab->setCurrentIndex(2);
    PictureBox& pic = *dialog->picSample;
    SimLook look = LookOf(pic);
    EXPECT_EQ(look.back, QColor(0, 0, 0));
    EXPECT_EQ(look.part, QColor(255, 0, 0));
    EXPECT_EQ(look.face, QColor(150, 150, 255));

    QTest::mouseClick(dialog->cmdSimDefaults, Qt::LeftButton);
    look = LookOf(pic);
    EXPECT_EQ(look.back, QColor(255, 255, 255));
    EXPECT_EQ(look.part, QColor(0, 0, 255));
    EXPECT_EQ(look.face, QColor(150, 150, 255));
    const int mid = int(pic.ScaleHeight() / 2);
    EXPECT_EQ(pic.Image().pixelColor(90, mid - 15), QColor(0, 0, 255));    // the narrower section
    EXPECT_EQ(pic.Image().pixelColor(90, mid - 25), QColor(255, 255, 255)); // above it

    answers.push_back(65280); // a new background repaints the part and its face on it
    dialog->lblBackColor_Click();
    look = LookOf(pic);
    EXPECT_EQ(look.back, QColor(0, 255, 0));
    EXPECT_EQ(look.part, QColor(0, 0, 255));
    EXPECT_EQ(look.face, QColor(150, 150, 255));
}

TEST_F(OptionsDialog, ToolPictureSitsAtTheSamplesUpperRightOverIt)
{
    Open();
    dialog->SSTab->setCurrentIndex(2);
    QLabel& tool = *dialog->Image1;
    QWidget* frame = tool.parentWidget();
    ASSERT_EQ(dialog->picSample->parentWidget(), frame);
    // Twips in the frame: the sample at 225, 360; the tool at 3015, 45, 510 x 765.
    EXPECT_EQ(dialog->picSample->geometry(), QRect(15, 24, 245, 173));
    EXPECT_EQ(tool.geometry(), QRect(201, 3, 34, 51));

    // The tool's shank is seen both above the sample and where it lies over the sample.
    const QImage seen = frame->grab().toImage();
    const QImage own = tool.pixmap().toImage();
    for (const QPoint inTool : {QPoint(17, 8), QPoint(17, 34)}) {
        const QPoint at = tool.geometry().topLeft() + inTool;
        EXPECT_EQ(dialog->picSample->geometry().contains(at), inTool.y() == 34);
        ASSERT_EQ(own.pixelColor(inTool).alpha(), 255);
        EXPECT_EQ(seen.pixelColor(at), own.pixelColor(inTool)) << at.x() << "," << at.y();
    }
}

TEST(SimSample, CentredAtHalfTheInnerHeight)
{
    for (const double h : {169.0, 100.0, 61.0}) {
        const auto boxes = options::SimSampleBoxes(h);
        ASSERT_EQ(boxes.size(), 3u);
        for (const auto& b : boxes)
            EXPECT_DOUBLE_EQ((b.y1 + b.y2) / 2, h / 2) << h;
        EXPECT_DOUBLE_EQ(boxes[0].y2 - boxes[0].y1, 60);
        EXPECT_DOUBLE_EQ(boxes[1].y2 - boxes[1].y1, 40);
        EXPECT_EQ(boxes[2].x1, boxes[2].x2);
    }
}

// --- Debug page ---

// Every program cell's colours and boldness, to compare before and after.
struct CellLook
{
    qint32 back, fore;
    bool bold;
    bool operator==(const CellLook&) const = default;
};

std::map<std::pair<int, int>, CellLook> Looks(FlexGrid& g)
{
    std::map<std::pair<int, int>, CellLook> out;
    for (int row = 1; row <= 3; ++row)
        for (int col = 0; col <= 2; ++col)
            out[{row, col}] = {g.CellBackColor(row, col), g.CellForeColor(row, col), g.CellFontBold(row, col)};
    return out;
}

TEST_F(OptionsDialog, GridSamplePaintsTheThreeKindsOfRow)
{
    Open();
    FlexGrid& g = Sample();
    EXPECT_NE(g.CellBackColor(2, 2), 128); // painted when its page is shown
    dialog->SSTab->setCurrentIndex(2);
    dialog->SSTab->setCurrentIndex(0);
    EXPECT_NE(g.CellBackColor(2, 2), 128);
    dialog->SSTab->setCurrentIndex(1);
    EXPECT_EQ(g.CellBackColor(1, 2), 16777215);
    EXPECT_EQ(g.CellForeColor(1, 2), 0);
    EXPECT_EQ(g.CellBackColor(2, 2), 128);
    EXPECT_EQ(g.CellForeColor(2, 2), 16777215);
    EXPECT_TRUE(g.CellFontBold(2, 2));
    EXPECT_EQ(g.CellBackColor(3, 2), 65535);
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(g.CellBackColor(row, 1), 15790320);
}

TEST_F(OptionsDialog, AGridColourChangesOnlyItsCell)
{
    const struct { const char* entry; int row, col; bool back; } cases[] = {
        {"Execution Point Text Color", 3, 2, false},
        {"Normal Back Colour", 1, 2, true},
        {"Break Point Back Colour", 2, 2, true},
        {"Normal Text Colour", 1, 2, false},
    };
    for (const auto& c : cases) {
        Open();
        dialog->SSTab->setCurrentIndex(1);
        auto expected = Looks(Sample());
        Choose(dialog->cmbDebugColors, c.entry);
        answers.push_back(8421376);
        dialog->lblDebugColor_Click();
        (c.back ? expected[{c.row, c.col}].back : expected[{c.row, c.col}].fore) = 8421376;
        EXPECT_EQ(Looks(Sample()), expected) << c.entry;
    }
}

TEST_F(OptionsDialog, EffectColourEntryEditsTheSimulationsEffectColour)
{
    Open();
    dialog->SSTab->setCurrentIndex(1);
    Choose(dialog->cmbDebugColors, "Effect Colour");
    EXPECT_EQ(dialog->lblDebugColor->BackColor(), 16750230);
    const auto before = Looks(Sample());
    answers.push_back(255);
    dialog->lblDebugColor_Click();
    EXPECT_EQ(dialog->lblEffectColor->BackColor(), 255);
    EXPECT_EQ(Looks(Sample()), before);
    dialog->cmdOK_Click();
    EXPECT_EQ(settings.EffectColor, 255);
}

TEST_F(OptionsDialog, GridSampleFontSizeIsSmallerForLineNumbersFromTen)
{
    const struct { const char* size; int numbers, program; } cases[] = {{"9", 9, 9}, {"10", 8, 10}, {"24", 22, 24}, {"8", 8, 8}};
    Open();
    dialog->SSTab->setCurrentIndex(1);
    for (const auto& c : cases) {
        Choose(dialog->cmbDebugFontSize, c.size);
        for (int row = 1; row <= 3; ++row) {
            EXPECT_EQ(dialog->SampleCellFont(row, 0).pointSize(), c.numbers) << c.size;
            EXPECT_EQ(dialog->SampleCellFont(row, 1).pointSize(), c.program) << c.size;
            EXPECT_EQ(dialog->SampleCellFont(row, 2).pointSize(), c.program) << c.size;
        }
    }
    Choose(dialog->cmbDebugFonts, "Times New Roman");
    for (int col = 0; col <= 2; ++col)
        EXPECT_EQ(dialog->SampleCellFont(2, col).family(), "Times New Roman");
    EXPECT_TRUE(dialog->SampleCellFont(2, 2).bold()); // a new font keeps the breakpoint row bold
}

TEST_F(OptionsDialog, LineNumbersAndGridLinesFollowTheirBoxes)
{
    Open();
    dialog->SampleColWidth(0);
    Sample().setColumnWidth(0, 40); // dragged wider
    EXPECT_EQ(dialog->SampleColWidth(0), 600);
    dialog->chkShowLineNumber->setChecked(false);
    EXPECT_EQ(dialog->SampleColWidth(0), 0);
    dialog->chkShowLineNumber->setChecked(true);
    EXPECT_EQ(dialog->SampleColWidth(0), 350); // the stored width, not the one shown before
    dialog->chkShowGrid->setChecked(false);
    EXPECT_FALSE(Sample().showGrid());
    dialog->chkShowGrid->setChecked(true);
    EXPECT_TRUE(Sample().showGrid());
}

TEST_F(OptionsDialog, GridLinesAreOffWhenStoredOff)
{
    Put("Debug", "Grid", "0");
    Open();
    EXPECT_FALSE(Sample().showGrid()); // the sample looks as the program grid will
    EXPECT_FALSE(dialog->chkShowGrid->isChecked());
}

TEST_F(OptionsDialog, DoubleClickGivesTheProgramRowsTheHeightUnderThePointer)
{
    const struct { int row; int height; } cases[] = {{0, 75}, {2, 405}};
    for (const auto& c : cases) {
        Open();
        dialog->SSTab->setCurrentIndex(1);
        Sample().setRowHeight(2, 27);
        QCoreApplication::processEvents();
        const int y = c.row == 0 ? 1 : 5 + 19 + 10; // in the header row above its border grip, or in row 2
        auto [w, at] = SampleAt({100, y});
        QTest::mouseDClick(w, Qt::LeftButton, {}, at);
        for (int row = 1; row <= 3; ++row)
            EXPECT_EQ(dialog->SampleRowHeight(row), c.height) << c.row;
        EXPECT_EQ(dialog->SampleRowHeight(0), 75);
    }
}

TEST_F(OptionsDialog, DebugDefaultsKeepTheRowHeights)
{
    Put("Debug", "RowHeight", "400");
    Put("Debug", "NormalBackColor", "255");
    Put("Debug", "Grid", "0");
    Put("Debug", "LineNumbers", "0");
    Put("Debug", "Font", "Arial");
    Open();
    Choose(dialog->cmbDebugColors, "Break Point Text Colour");
    answers.push_back(65280);
    dialog->lblDebugColor_Click();
    QTest::mouseClick(dialog->cmdDebugDefault, Qt::LeftButton);
    EXPECT_EQ(dialog->cmbDebugFonts->currentText(), "Courier New");
    EXPECT_EQ(dialog->cmbDebugFontSize->currentText(), "10");
    EXPECT_TRUE(dialog->chkShowGrid->isChecked());
    EXPECT_TRUE(Sample().showGrid());
    EXPECT_TRUE(dialog->chkShowLineNumber->isChecked());
    EXPECT_EQ(dialog->SampleColWidth(0), 350);
    EXPECT_EQ(dialog->cmbDebugColors->currentText(), "Break Point Text Colour");
    EXPECT_EQ(dialog->lblDebugColor->BackColor(), 16777215);
    EXPECT_EQ(Sample().CellBackColor(1, 2), 16777215);
    EXPECT_EQ(Sample().CellForeColor(2, 2), 16777215);
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(dialog->SampleRowHeight(row), 400);
}

} // namespace
