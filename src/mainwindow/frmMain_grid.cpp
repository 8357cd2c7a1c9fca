// The program grid in the left pane: one program line per row, breakpoints in the gutter,
// the execution highlight, and the in-place editor over the program-line cell.
#include "mainwindow/frmMain.h"

#include "mainwindow/ProgramGridColumns.h"
#include "platform/KeyCodes.h"
#include "platform/Twips.h"
#include "platform/gui/WinColour.h"
#include "platform/widgets/DrawnPictures.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/RichTextBox.h"
#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"
#include "simulation/Graphics.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

using namespace mainwindow::programgrid;

namespace {

constexpr qint32 GutterBack = platform::WinRgb(240, 240, 240);

// Hands the in-place editor's released keys to the window as Windows key codes.
class KeyUpRelay : public QObject
{
public:
    KeyUpRelay(frmMain* window, QObject* parent) : QObject(parent), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat())
                window_->txtDebug_KeyUp(platform::EditorKeyCode(key->key(), key->modifiers()),
                                        platform::ShiftState(key->modifiers()));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    frmMain* window_;
};

} // namespace

int frmMain::GridRowCount() const { return DebugWindow->Rows(); }
QString frmMain::GridRowText(int row) const { return DebugWindow->TextMatrix(row, TextCol); }

void frmMain::LoadDebugWindow()
{
    const QString text = TextEditor->Text();
    const QStringList lines = text.isEmpty() ? QStringList() : text.split(QStringLiteral("\r\n"));
    // Painted whole once filled, or later when a run's paint throttle holds the grid.
    DebugWindow->HoldPainting();
    DebugWindow->SetRows(0); // every breakpoint goes with the old rows
    DebugWindow->SetRows(int(lines.size()));
    const GlobalVariables& g = settings_;
    for (int i = 0; i < lines.size(); ++i) {
        DebugWindow->SetTextMatrix(i, NumberCol, QString::number(i + 1));
        DebugWindow->SetTextMatrix(i, TextCol, lines[i]);
        DebugWindow->SetTextMatrix(i, MarkCol, QString());
        DebugWindow->SetCellBackColor(i, TextCol, g.NormalBackColor);
        DebugWindow->SetCellForeColor(i, TextCol, g.NormalTextColor);
        DebugWindow->SetCellFont(i, TextCol, g.DebugFontName, g.DebugFontSize, false);
        DebugWindow->SetRowHeightTwips(i, g.DebugRowHeight);
        DebugWindow->SetCellBackColor(i, GutterCol, GutterBack);
        DebugWindow->SetCellPicture(i, GutterCol, QPixmap());
    }
    DebugWindow->ReleasePainting();
}

void frmMain::updateShownGrid()
{
    const QString text = TextEditor->Text();
    const QStringList lines = text.isEmpty() ? QStringList() : text.split(QStringLiteral("\r\n"));
    if (lines.size() != DebugWindow->Rows()) {
        LoadDebugWindow();
    } else {
        // Only the rewritten rows repaint, and not before a run's paint throttle lets them.
        DebugWindow->HoldPainting();
        for (int i = 0; i < lines.size(); ++i)
            if (DebugWindow->TextMatrix(i, TextCol) != lines[i])
                DebugWindow->SetTextMatrix(i, TextCol, lines[i]);
        DebugWindow->ReleasePainting();
    }
    TextChanged = false;
}

void frmMain::ApplyDebugGridSettings()
{
    const GlobalVariables& g = settings_;
    if (DebugWindow->Cols() != ColumnCount)
        DebugWindow->SetCols(ColumnCount);
    DebugWindow->SetColWidthTwips(NumberCol, int(g.DebugLineNumbers) * int(g.DebugC0Width));
    DebugWindow->SetColWidthTwips(GutterCol, g.DebugC1Width);
    DebugWindow->SetColWidthTwips(TextCol, g.DebugC2Width);
    DebugWindow->SetColWidthTwips(MarkCol, 0);
    QFont f = DebugWindow->font();
    f.setFamily(g.DebugFontName);
    DebugWindow->setFont(f);
    DebugWindow->SetGridLines(g.DebugGrid != 0);
}

void frmMain::setRowLook(int row, bool executing)
{
    const GlobalVariables& g = settings_;
    const bool breakpoint = DebugWindow->TextMatrix(row, MarkCol) == BreakMark;
    if (breakpoint) {
        DebugWindow->SetCellPicture(row, GutterCol, platform::GutterPicture(executing ? QStringLiteral("Both") : QStringLiteral("Break")));
        DebugWindow->SetCellBackColor(row, TextCol, g.BreakPointColor);
        DebugWindow->SetCellForeColor(row, TextCol, g.BreakPointTextColor);
        DebugWindow->SetCellFontBold(row, TextCol, true);
    } else if (executing) {
        DebugWindow->SetCellPicture(row, GutterCol, platform::GutterPicture(QStringLiteral("Step")));
        DebugWindow->SetCellBackColor(row, TextCol, g.ExecutionPointColor);
        DebugWindow->SetCellForeColor(row, TextCol, g.ExecutionPointTextColor);
        DebugWindow->SetCellFontBold(row, TextCol, false);
    } else {
        DebugWindow->SetCellPicture(row, GutterCol, QPixmap());
        DebugWindow->SetCellBackColor(row, TextCol, g.NormalBackColor);
        DebugWindow->SetCellForeColor(row, TextCol, g.NormalTextColor);
        DebugWindow->SetCellFontBold(row, TextCol, false);
    }
}

void frmMain::DebugWindow_Click()
{
    const int row = DebugWindow->MouseRow();
    if (row < 0 || row >= DebugWindow->Rows())
        return; // below the last row: nothing to mark
    DebugWindow->setToolTip(DebugWindow->TextMatrix(row, TextCol));
    if (DebugWindow->MouseCol() != GutterCol)
        return;
    const bool set = DebugWindow->TextMatrix(row, MarkCol) != BreakMark;
    DebugWindow->SetTextMatrix(row, MarkCol, set ? BreakMark : QString());
    setRowLook(row, false);
}

void frmMain::RemoveHighLighting(int LineNum)
{
    if (LineNum < 0 || LineNum >= DebugWindow->Rows())
        return;
    setRowLook(LineNum, false);
}

void frmMain::HighLightExecutingLine(int LineNum)
{
    if (LineNum < 0 || LineNum >= DebugWindow->Rows())
        return;
    setRowLook(LineNum, true);
    if (DebugWindow->TextMatrix(LineNum, MarkCol) == BreakMark) {
        EnableCommands(QStringLiteral("Pause"), false);
        EnableCommands(QStringLiteral("Start"), true);
        if (state_.RunToBreakpoint) {
            state_.RunToBreakpoint = false;
            graphics_->RefreshSimulation();
            graphics_->DrawEdgeEffect();
        }
    }
    if (LineNum % 10 == 0 && LineNum > 10)
        DebugWindow->SetTopRow(LineNum - 10);
}

void frmMain::DebugWindow_DblClick()
{
    const int row = DebugWindow->MouseRow();
    if (row < 0 || row >= DebugWindow->Rows())
        return;
    if (!txtDebug) {
        txtDebug = new QLineEdit(DebugWindow->parentWidget());
        txtDebug->setObjectName(QStringLiteral("txtDebug"));
        txtDebug->setFrame(false);
        txtDebug->installEventFilter(new KeyUpRelay(this, txtDebug));
    }
    EditRow = row;
    txtDebug->setText(DebugWindow->TextMatrix(row, TextCol));
    QFont f(settings_.DebugFontName);
    if (settings_.DebugFontSize > 0)
        f.setPointSize(settings_.DebugFontSize);
    txtDebug->setFont(f);
    const double cellLeft = platform::TwipsToPixelsUnrounded(DebugWindow->CellLeftTwips(TextCol));
    const double cellTop = platform::TwipsToPixelsUnrounded(DebugWindow->CellTopTwips(row));
    txtDebug->setGeometry(int(cellLeft), int(DebugWindow->y() + cellTop), int(DebugWindow->width() - cellLeft - 4),
                          int(platform::TwipsToPixelsUnrounded(settings_.DebugRowHeight)));
    txtDebug->setVisible(true);
    txtDebug->raise();
    txtDebug->setFocus();
    txtDebug->setCursorPosition(int(txtDebug->text().size()));
}

void frmMain::txtDebug_KeyUp(qint16 KeyCode, qint16 /*Shift*/)
{
    if (KeyCode == platform::keycode::Enter) {
        DebugWindow->SetTextMatrix(EditRow, TextCol, txtDebug->text());
        // During a run the rebuilt text must not switch the commands as typing does: that
        // would take Pause and Stop from the run and let a paused run go on by itself.
        std::vector<std::pair<QAction*, bool>> commands;
        if (runActive_) {
            for (const QString& key : ToolbarKeys)
                if (QAction* button = ToolbarButton(key))
                    commands.emplace_back(button, button->isEnabled());
            for (QAction* item : {mnuFileNew, mnuFileOpen, mnuFileSave, mnuFilePrint, mnuRunStart, mnuRunPause,
                                  mnuRunStop, mnuRunStepInto, mnuToolsOptions})
                commands.emplace_back(item, item->isEnabled());
        }
        // Writing the line back counts as emptying the editor text and setting it anew from
        // the rows: the commands end as those two changes leave them, the first switching off
        // what an empty text cannot do.
        EnableCommands(QStringLiteral("Save,Print,Step,Start,Pause,Stop"), false);
        const QString line = DebugWindow->TextMatrix(EditRow, TextCol);
        const bool breakFree = std::none_of(line.begin(), line.end(), [](QChar c) {
            return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
        });
        bool changed;
        const bool inRows = EditRow >= 0 && EditRow < DebugWindow->Rows();
        if (!TextChanged && breakFree && inRows && TextEditor->LineCount() == DebugWindow->Rows()) {
            // The editor holds the rows already: only the edited line is new.
            changed = TextEditor->LineText(EditRow) != line;
            TextEditor->ReplaceLine(EditRow, line, syntaxFormats(), syntaxRuns(line));
        } else {
            QStringList rows;
            for (int r = 0; r < DebugWindow->Rows(); ++r)
                rows << DebugWindow->TextMatrix(r, TextCol);
            const QString before = TextEditor->Text();
            TextBuffer->SetText(rows.join(QStringLiteral("\r\n")));
            const QString text = TextBuffer->Text();
            TextBuffer->SetText(QString());
            TextEditor->SetFormattedText(text, syntaxFormats(), syntaxRuns(text));
            TextEditor->SetSelStart(0);
            changed = text != before;
        }
        for (const auto& [command, enabled] : commands)
            command->setEnabled(enabled);
        // An edit made during a run must still count as unsaved once Stop restores Save.
        if (changed)
            SaveWasEnabled = true;
        txtDebug->hide();
        TextChanged = false;
    } else if (KeyCode == platform::keycode::Escape) {
        txtDebug->hide();
    }
}
