// The Options dialog's opening, OK and Cancel.
#include "OptionsFixture.h"

namespace {

using W = RecordingStore::Write;

// The 28 keys as OK writes them, with the default values.
std::vector<W> DefaultWrites()
{
    return {
        {"TextEditor", "Font", "Courier New"},    {"TextEditor", "Size", "10"},
        {"TextEditor", "Integer", "0"},           {"TextEditor", "Character", "16711680"},
        {"TextEditor", "Background", "16777215"}, {"TextEditor", "Comment", "32768"},
        {"TextEditor", "Bold", "0"},              {"General", "AutoComplete", "1"},
        {"General", "SplashScreen", "1"},         {"General", "AutoReformat", "1"},
        {"General", "OpenLastFile", "1"},         {"Debug", "Font", "Courier New"},
        {"Debug", "Size", "10"},                  {"Debug", "BreakPointColor", "128"},
        {"Debug", "BreakPointTextColor", "16777215"}, {"Debug", "ExecutionPointColor", "65535"},
        {"Debug", "ExecutionPointTextColor", "0"}, {"Debug", "NormalBackColor", "16777215"},
        {"Debug", "NormalTextColor", "0"},        {"Debug", "C0Width", "350"},
        {"Debug", "C1Width", "300"},              {"Debug", "C2Width", "3500"},
        {"Debug", "Grid", "1"},                   {"Debug", "LineNumbers", "1"},
        {"Debug", "RowHeight", "285"},            {"SimulationWindow", "WorkPieceColor", "16711680"},
        {"SimulationWindow", "BackColor", "16777215"}, {"SimulationWindow", "EffectColor", "16750230"},
    };
}

TEST_F(OptionsDialog, OpensOnTheStoredSettings)
{
    Open();
    const frmOptions& d = *dialog;
    EXPECT_EQ(d.windowTitle(), "Options");
    EXPECT_EQ(d.size(), QSize(447, 474));
    EXPECT_EQ(d.picBand->pixmap().size(), QSize(132, 475));
    EXPECT_EQ(d.cmdEditorCancel->text(), "&Cancel");
    EXPECT_EQ(d.cmdOK->text(), "&OK");
    EXPECT_LT(d.cmdEditorCancel->x(), d.cmdOK->x());
    ASSERT_EQ(d.SSTab->count(), 3);
    EXPECT_EQ(d.SSTab->tabText(0), "Editor");
    EXPECT_EQ(d.SSTab->tabText(1), "Debug");
    EXPECT_EQ(d.SSTab->tabText(2), "Simulation");
    EXPECT_EQ(d.SSTab->currentIndex(), 0);

    const QStringList fonts{"Arial", "Courier", "Courier New", "Tahoma", "Times New Roman", "Vardana"};
    QStringList sizes;
    for (int s = 8; s <= 24; ++s)
        sizes << QString::number(s);
    EXPECT_EQ(Items(d.cmbEditorFonts), fonts);
    EXPECT_EQ(Items(d.cmbDebugFonts), fonts);
    EXPECT_EQ(Items(d.cmbEditorFontSize), sizes);
    EXPECT_EQ(Items(d.cmbDebugFontSize), sizes);
    EXPECT_EQ(Items(d.cmbEditorColours), (QStringList{"Background", "Characters", "Comments", "Integers"}));
    EXPECT_EQ(Items(d.cmbDebugColors),
              (QStringList{"Break Point Back Colour", "Break Point Text Colour", "Execution Point Colour",
                           "Execution Point Text Color", "Normal Back Colour", "Normal Text Colour", "Effect Colour"}));
    for (QComboBox* list : {d.cmbEditorFonts, d.cmbDebugFonts})
        EXPECT_EQ(list->currentText(), "Courier New");
    for (QComboBox* list : {d.cmbEditorFontSize, d.cmbDebugFontSize})
        EXPECT_EQ(list->currentText(), "10");
    EXPECT_EQ(d.cmbEditorColours->currentText(), "Background");
    EXPECT_EQ(d.lblEditorColor->BackColor(), 16777215);
    EXPECT_EQ(d.cmbDebugColors->currentText(), "Break Point Back Colour");
    EXPECT_EQ(d.lblDebugColor->BackColor(), 128);

    // The editor sample in Courier New 10, not bold, the comment line included.
    dialog->richSample->Select(0, dialog->richSample->TextLength());
    EXPECT_EQ(dialog->richSample->SelFontName(), "Courier New");
    EXPECT_EQ(dialog->richSample->SelFontSize(), 10);
    EXPECT_FALSE(dialog->richSample->SelBold());
    EXPECT_EQ(dialog->richSample->Text(), "[BILLET X20 Z40\r\nG00 X20 Z0\r\nG01 Z-40");

    EXPECT_EQ(d.SampleRowHeight(0), 75);
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(d.SampleRowHeight(row), 285);
    EXPECT_EQ(d.SampleColWidth(0), 350);
    EXPECT_EQ(d.SampleColWidth(1), 300);
    EXPECT_EQ(d.SampleColWidth(2), 3500);
    EXPECT_EQ(Sample().TextMatrix(2, 2), "G00 X20 Z00");
    EXPECT_EQ(Sample().TextMatrix(3, 0), "003");
    EXPECT_FALSE(Sample().CellPicture(2, 1).isNull());
    EXPECT_FALSE(Sample().CellPicture(3, 1).isNull());
    EXPECT_TRUE(Sample().showGrid());

    for (QCheckBox* box : {d.chkShowGrid, d.chkShowLineNumber, d.chkAutoComplete, d.chkAutoReformat, d.chkOpenLastFile,
                           d.chkSplashScreen})
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    EXPECT_FALSE(d.chkEditorFontBold->isChecked());
    EXPECT_EQ(d.chkOpenLastFile->text(), "Open Last File On Startup ");
    EXPECT_EQ(d.lblWPColor->BackColor(), 16711680);
    EXPECT_EQ(d.lblBackColor->BackColor(), 16777215);
    EXPECT_EQ(d.lblEffectColor->BackColor(), 16750230);
    EXPECT_TRUE(store.writes.empty()); // opening writes nothing
}

TEST_F(OptionsDialog, OkWithoutChangesWritesEveryKeyAgainInItsOrder)
{
    Open();
    QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    EXPECT_EQ(store.writes, DefaultWrites());
    EXPECT_EQ(tag, "OK");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

// The opening yields before it fills the lists: an OK clicked then would save empty font
// names, which the next load takes for a first run, resetting every setting.
TEST_F(OptionsDialog, OkBeforeTheDialogIsFilledSavesNothing)
{
    settings.LoadSettings(store);
    store.writes.clear();
    frmOptions unopened(settings, store, com, tag, Markers());
    EXPECT_FALSE(unopened.cmdOK->isEnabled());
    unopened.cmdOK_Click();
    EXPECT_TRUE(store.writes.empty());
    EXPECT_TRUE(tag.isEmpty());
}

TEST_F(OptionsDialog, HiddenLineNumbersKeepTheStoredWidth)
{
    Put("Debug", "C0Width", "500");
    Put("Debug", "LineNumbers", "0");
    Open();
    EXPECT_EQ(dialog->SampleColWidth(0), 0);
    dialog->cmdOK_Click();
    std::vector<W> expected = DefaultWrites();
    std::erase(expected, W{"Debug", "C0Width", "350"});
    std::replace(expected.begin(), expected.end(), W{"Debug", "LineNumbers", "1"}, W{"Debug", "LineNumbers", "0"});
    EXPECT_EQ(store.writes, expected);
    EXPECT_EQ(settings.DebugC0Width, 500);

    // Shown again later, the column comes back at the stored width.
    Open();
    dialog->chkShowLineNumber->setChecked(true);
    EXPECT_EQ(dialog->SampleColWidth(0), 500);
}

TEST_F(OptionsDialog, RowHeightIsTheTallestSampleRowWithinRange)
{
    // Rows in pixels, as a user leaves them by dragging their borders; 0 leaves a row as set.
    const struct { int rows[3]; const char* saved; } cases[] = {
        {{0, 27, 20}, "405"},
        {{0, 0, 0}, "285"},
        {{19, 18, 17}, "285"},
        {{2500, 0, 0}, "32767"}, // a 16-bit setting cannot hold more
    };
    for (const auto& c : cases) {
        store = RecordingStore();
        Open();
        for (int row = 1; row <= 3; ++row)
            if (c.rows[row - 1] != 0)
                Sample().setRowHeight(row, c.rows[row - 1]);
        dialog->cmdOK_Click();
        const auto it = std::find_if(store.writes.begin(), store.writes.end(),
                                     [](const W& w) { return w.key == "RowHeight"; });
        ASSERT_NE(it, store.writes.end());
        EXPECT_EQ(it->value, c.saved) << c.rows[0] << " " << c.rows[1];
    }
}

TEST_F(OptionsDialog, DraggedBordersAreWhatOkSaves)
{
    Open();
    dialog->SSTab->setCurrentIndex(1);
    QCoreApplication::processEvents();
    // Row 0 is 5 pixels, the program rows 19; columns 0 and 1 are 23 and 20 pixels wide.
    DragSample({100, 5 + 19}, {100, 5 + 31});
    DragSample({23 + 20, 30}, {23 + 40, 30});
    dialog->cmdOK_Click();
    EXPECT_EQ(store.GetSetting("CNC", "Debug", "RowHeight"), "465");
    EXPECT_EQ(store.GetSetting("CNC", "Debug", "C1Width"), "600");
    EXPECT_EQ(store.GetSetting("CNC", "Debug", "C2Width"), "3500"); // untouched, unrounded
}

TEST_F(OptionsDialog, CancelAndTheCloseBoxChangeNothing)
{
    for (const bool closeBox : {false, true}) {
        Open();
        const GlobalVariables before = settings;
        tag.clear();
        Choose(dialog->cmbEditorFonts, "Arial");
        dialog->cmdEditorDefault_Click();
        answers.push_back(255);
        Choose(dialog->cmbDebugColors, "Normal Back Colour");
        dialog->lblDebugColor_Click();
        dialog->chkShowGrid->setChecked(false);
        if (closeBox)
            dialog->close();
        else
            QTest::mouseClick(dialog->cmdEditorCancel, Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_TRUE(store.writes.empty()) << closeBox;
        EXPECT_TRUE(tag.isEmpty());
        EXPECT_EQ(settings.NormalBackColor, before.NormalBackColor);
        EXPECT_EQ(settings.DebugGrid, before.DebugGrid);
    }
}

// Values the dialog never offers, written into the store by hand: shown as they are and
// kept by OK, so that no font name is ever saved empty (which would reset every setting).
TEST_F(OptionsDialog, ValuesOutsideTheListsAreShownAndKept)
{
    Put("TextEditor", "Font", "Lucida Sans");
    Put("TextEditor", "Size", "30");
    Put("Debug", "Font", "Monospace");
    Put("Debug", "Size", "7");
    Put("Debug", "BreakPointColor", "255");
    Open();
    EXPECT_EQ(dialog->cmbEditorFonts->currentText(), "Lucida Sans");
    EXPECT_EQ(dialog->cmbEditorFonts->itemText(dialog->cmbEditorFonts->currentIndex() - 1), "Courier New"); // sorted in
    EXPECT_EQ(dialog->cmbEditorFontSize->currentText(), "30");
    EXPECT_EQ(dialog->cmbEditorFontSize->itemText(dialog->cmbEditorFontSize->count() - 1), "30");
    EXPECT_EQ(dialog->cmbDebugFonts->currentText(), "Monospace");
    EXPECT_EQ(dialog->cmbDebugFontSize->currentText(), "7");
    EXPECT_EQ(dialog->cmbDebugFontSize->itemText(0), "7");
    dialog->richSample->Select(0, 3);
    EXPECT_EQ(dialog->richSample->SelFontSize(), 30);

    dialog->cmdOK_Click();
    EXPECT_EQ(store.writes.size(), 28u); // no reset to the defaults
    EXPECT_EQ(store.GetSetting("CNC", "TextEditor", "Font"), "Lucida Sans");
    EXPECT_EQ(store.GetSetting("CNC", "TextEditor", "Size"), "30");
    EXPECT_EQ(store.GetSetting("CNC", "Debug", "Font"), "Monospace");
    EXPECT_EQ(store.GetSetting("CNC", "Debug", "Size"), "7");
    EXPECT_EQ(store.GetSetting("CNC", "Debug", "BreakPointColor"), "255");
    EXPECT_EQ(settings.EditorFontName, "Lucida Sans");
}

TEST_F(OptionsDialog, OkSavesTheChoicesAndReloadsThem)
{
    Open();
    Choose(dialog->cmbEditorFonts, "Times New Roman");
    Choose(dialog->cmbDebugFontSize, "14");
    dialog->chkEditorFontBold->setChecked(true);
    dialog->chkSplashScreen->setChecked(false);
    answers = {std::optional<qint32>(255), std::optional<qint32>(65280), std::optional<qint32>(8421504)};
    Choose(dialog->cmbEditorColours, "Comments");
    dialog->lblEditorColor_Click();
    Choose(dialog->cmbDebugColors, "Execution Point Colour");
    dialog->lblDebugColor_Click();
    dialog->lblBackColor_Click();
    dialog->cmdOK_Click();

    EXPECT_EQ(settings.EditorFontName, "Times New Roman");
    EXPECT_EQ(settings.DebugFontSize, 14);
    EXPECT_EQ(settings.EditorBold, 1);
    EXPECT_EQ(settings.SplashScreen, 0);
    EXPECT_EQ(settings.EditorCommentColor, 255);
    EXPECT_EQ(settings.ExecutionPointColor, 65280);
    EXPECT_EQ(settings.SimBackColor, 8421504);
    EXPECT_EQ(store.GetSetting("CNC", "SimulationWindow", "BackColor"), "8421504");
    EXPECT_EQ(store.GetSetting("CNC", "TextEditor", "Bold"), "1");
}

// The three Defaults buttons give what a first start stores; only the grid's sizes, which
// no button resets, keep their values.
TEST_F(OptionsDialog, TheDefaultsButtonsTogetherGiveTheFirstStartValues)
{
    const std::vector<W> changed = {
        {"TextEditor", "Font", "Arial"},        {"TextEditor", "Size", "14"},
        {"TextEditor", "Integer", "1"},         {"TextEditor", "Character", "2"},
        {"TextEditor", "Background", "3"},      {"TextEditor", "Comment", "4"},
        {"TextEditor", "Bold", "1"},            {"General", "AutoComplete", "0"},
        {"General", "SplashScreen", "0"},       {"General", "AutoReformat", "0"},
        {"General", "OpenLastFile", "0"},       {"Debug", "Font", "Tahoma"},
        {"Debug", "Size", "12"},                {"Debug", "BreakPointColor", "5"},
        {"Debug", "BreakPointTextColor", "6"},  {"Debug", "ExecutionPointColor", "7"},
        {"Debug", "ExecutionPointTextColor", "8"}, {"Debug", "NormalBackColor", "9"},
        {"Debug", "NormalTextColor", "10"},     {"Debug", "C0Width", "405"},
        {"Debug", "C1Width", "450"},            {"Debug", "C2Width", "3000"},
        {"Debug", "Grid", "0"},                 {"Debug", "LineNumbers", "1"},
        {"Debug", "RowHeight", "300"},          {"SimulationWindow", "WorkPieceColor", "11"},
        {"SimulationWindow", "BackColor", "12"}, {"SimulationWindow", "EffectColor", "13"},
    };
    for (const W& w : changed)
        Put(w.section, w.key, w.value);
    Open();
    for (QPushButton* b : {dialog->cmdEditorDefault, dialog->cmdDebugDefault, dialog->cmdSimDefaults})
        QTest::mouseClick(b, Qt::LeftButton);
    dialog->cmdOK_Click();

    std::vector<W> expected = DefaultWrites();
    for (W& w : expected)
        if (w.key.endsWith("Width") || w.key == "RowHeight")
            w = *std::find_if(changed.begin(), changed.end(), [&](const W& c) { return c.key == w.key; });
    EXPECT_EQ(store.writes, expected);
}

} // namespace
