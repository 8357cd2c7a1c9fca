// Tools > Options from the main window: the dialog's answer and the re-apply.
#include "OptionsFixture.h"

#include "mainwindow/SimPicture.h"
#include "mainwindow/frmMain.h"
#include "shared/SharedState.h"

#include <QAction>
#include <QApplication>
#include <functional>

namespace {

class OptionsFromWindow : public OptionsDialog
{
protected:
    void SetUp() override
    {
        OptionsDialog::SetUp();
        window = std::make_unique<frmMain>(state, settings, store);
        window->Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // A program in the grid, its second row a breakpoint.
        window->TextEditor->SetText("[BILLET X20 Z40\r\nG00 X10 Z0\r\nG01 Z-5");
        window->mnuViewDebugWindow_Click();
        window->DebugWindow->SetTextMatrix(1, 3, "BP");
        window->RemoveHighLighting(1);
        QCoreApplication::processEvents();
        store.writes.clear();
    }

    void TearDown() override
    {
        if (window) {
            MessageBoxRecorder answer(platform::vbNo);
            window->close();
            window.reset();
        }
        OptionsDialog::TearDown();
    }

    // Runs `act` on the dialog once it is open and filled, while the main window waits.
    void OpenOptions(std::function<void(frmOptions&)> act)
    {
        acted = false;
        ModalRecorder windows;
        windows.answer = [&](QDialog& shown) {
            auto* d = qobject_cast<frmOptions*>(&shown);
            ASSERT_NE(d, nullptr);
            d->show();
            ASSERT_TRUE(d->cmdOK->isEnabled()); // filled on showing
            acted = true;
            act(*d);
        };
        window->mnuToolsOptions_Click();
        EXPECT_TRUE(acted);
    }

    qint32 EditorColourAt(int position)
    {
        window->TextEditor->Select(position, 1);
        return window->TextEditor->SelColor();
    }

    QFont GridFont(int row) { return window->DebugWindow->model()->index(row, 2).data(Qt::FontRole).value<QFont>(); }

    SharedState state;
    std::unique_ptr<frmMain> window;
    bool acted = false;
};

TEST_F(OptionsFromWindow, OkAppliesTheNewLookAtOnce)
{
    const bool saveBefore = window->IsButtonEnabled("Save");
    const bool textChangedBefore = window->TextChanged;
    OpenOptions([this](frmOptions& d) {
        answers = {std::optional<qint32>(255), std::optional<qint32>(65280), std::optional<qint32>(16711935),
                   std::optional<qint32>(8421504)};
        Choose(d.cmbEditorColours, "Characters");
        d.lblEditorColor_Click();
        d.SSTab->setCurrentIndex(1);
        Choose(d.cmbDebugColors, "Normal Back Colour");
        d.lblDebugColor_Click();
        Choose(d.cmbDebugColors, "Break Point Back Colour");
        d.lblDebugColor_Click();
        Choose(d.cmbDebugFontSize, "12");
        d.DebugSample->setRowHeight(2, 30); // dragged taller
        d.lblBackColor_Click();
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    });
    EXPECT_EQ(window->Tag, "OK");

    // The editor recoloured, its document state as it was.
    EXPECT_EQ(EditorColourAt(17), 255); // G
    EXPECT_EQ(EditorColourAt(0), 32768);
    EXPECT_EQ(window->IsButtonEnabled("Save"), saveBefore);
    EXPECT_EQ(window->TextChanged, textChangedBefore);

    // Every grid row by its mark, in the new font size and row height.
    FlexGrid& grid = *window->DebugWindow;
    for (int row = 0; row < grid.Rows(); ++row) {
        const bool bp = row == 1;
        EXPECT_EQ(grid.CellBackColor(row, 2), bp ? 16711935 : 65280) << row;
        EXPECT_EQ(grid.CellForeColor(row, 2), bp ? 16777215 : 0) << row;
        EXPECT_EQ(GridFont(row).pointSize(), 12) << row;
        EXPECT_EQ(GridFont(row).bold(), bp) << row;
        EXPECT_EQ(grid.rowHeight(row), 30) << row;
    }

    // The simulation picture blank on the new background.
    QCoreApplication::processEvents();
    EXPECT_EQ(window->picSim->BackColor(), QColor(128, 128, 128));
    ASSERT_FALSE(window->picSim->Image().isNull());
    EXPECT_EQ(window->picSim->Image().pixelColor(3, 3), QColor(128, 128, 128));

    // And the choice survives a restart.
    GlobalVariables next;
    next.LoadSettings(store);
    EXPECT_EQ(next.NormalBackColor, 65280);
    EXPECT_EQ(next.DebugRowHeight, 450);
    EXPECT_EQ(next.DebugFontSize, 12);
    EXPECT_EQ(next.EditorCharColor, 255);
}

TEST_F(OptionsFromWindow, CancelChangesNothing)
{
    for (const bool closeBox : {false, true}) {
        window->Tag = "stale";
        const qint32 back = window->DebugWindow->CellBackColor(0, 2);
        OpenOptions([this, closeBox](frmOptions& d) {
            answers = {std::optional<qint32>(65280)};
            d.SSTab->setCurrentIndex(1);
            Choose(d.cmbDebugColors, "Normal Back Colour");
            d.lblDebugColor_Click();
            Choose(d.cmbEditorFonts, "Arial");
            if (closeBox)
                d.close();
            else
                QTest::mouseClick(d.cmdEditorCancel, Qt::LeftButton);
        });
        EXPECT_TRUE(window->Tag.isEmpty());
        EXPECT_TRUE(store.writes.empty());
        EXPECT_EQ(window->DebugWindow->CellBackColor(0, 2), back);
        EXPECT_EQ(settings.EditorFontName, "Courier New");
    }
}

} // namespace
