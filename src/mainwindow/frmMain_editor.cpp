// The program editor: the colouring pass, the change handling that keeps the Save command
// as the mark of unsaved changes, the typing aids, reformatting and the syntax check.
#include "mainwindow/frmMain.h"

#include "mainwindow/SyntaxColouring.h"
#include "platform/KeyCodes.h"
#include "platform/MessageBox.h"
#include "platform/gui/WinColour.h"
#include "platform/widgets/RichTextBox.h"
#include "platform/widgets/SendKeys.h"
#include "program/ColourRuns.h"
#include "program/SyntaxCheck.h"
#include "settings/GlobalVariables.h"

namespace keycode = platform::keycode;

void frmMain::connectEditor()
{
    // The scratch box is rebuilt by every pass; keeping its history would only cost memory.
    TextBuffer->setUndoRedoEnabled(false);
    TextBuffer->SetNeverShown();
    connect(TextEditor, &RichTextBox::Change, this, &frmMain::TextEditor_Change);
    connect(TextEditor, &RichTextBox::KeyPress, this, &frmMain::TextEditor_KeyPress);
    connect(TextEditor, &RichTextBox::KeyDown, this, &frmMain::TextEditor_KeyDown);
    connect(TextEditor, &RichTextBox::KeyUp, this, &frmMain::TextEditor_KeyUp);
}

std::vector<QTextCharFormat> frmMain::syntaxFormats() const
{
    const GlobalVariables& g = settings_;
    QTextCharFormat plain;
    plain.setFontWeight(g.EditorBold != 0 ? QFont::Bold : QFont::Normal);
    plain.setFontFamilies(QStringList{g.EditorFontName});
    if (g.EditorFontSize > 0)
        plain.setFontPointSize(g.EditorFontSize);
    const auto coloured = [&plain](qint32 rgb) {
        QTextCharFormat f = plain;
        f.setForeground(platform::FromWinRgb(rgb));
        return f;
    };
    // In the order of the run formats below.
    return {coloured(mainwindow::UncolouredTextColour(g.EditorBackColor)), coloured(g.EditorCommentColor),
            coloured(g.EditorCharColor), coloured(g.EditorIntegerColor)};
}

std::vector<FormattedRun> frmMain::syntaxRuns(const QString& text)
{
    enum { Uncoloured, Comment, Character, Integer };
    const std::vector<program::ColourRun> colourRuns = program::ColourRuns(text);
    std::vector<FormattedRun> runs;
    runs.reserve(2 * colourRuns.size() + 1);
    int at = 0;
    for (const program::ColourRun& run : colourRuns) {
        if (run.start > at)
            runs.push_back({run.start - at, Uncoloured});
        runs.push_back({run.length, run.colour == program::SyntaxColour::Comment     ? Comment
                                    : run.colour == program::SyntaxColour::Character ? Character
                                                                            : Integer});
        at = run.start + run.length;
    }
    if (at < int(text.size()))
        runs.push_back({int(text.size()) - at, Uncoloured});
    return runs;
}

// Positions are plain ints here, so a text of any length is coloured to its end. The
// coloured text is built once, with its formats, straight into the editor: the same
// characters and formats as formatting the scratch box run by run and moving its content
// over, in time and memory in proportion to the text.
void frmMain::HighLightSyntax()
{
    const QString text = TextBuffer->Text();
    // The scratch text has served; holding it would only add to the memory of a big program.
    TextBuffer->SetText(QString());
    TextEditor->SetFormattedText(text, syntaxFormats(), syntaxRuns(text));
    TextEditor->SetBackColor(settings_.EditorBackColor);
    EnableCommands(QStringLiteral("Save"), false);
}

void frmMain::TextEditor_Change()
{
    TextChanged = true;
    if (TextEditor->TextLength() != 0) {
        if (!IsButtonEnabled(QStringLiteral("Save")))
            EnableCommands(QStringLiteral("Save,Print,Start,Step"), true);
    } else {
        EnableCommands(QStringLiteral("Save,Print,Step,Start,Pause,Stop"), false);
    }
}

void frmMain::TextEditor_KeyPress(qint16& KeyAscii)
{
    if (KeyAscii >= 97 && KeyAscii <= 122)
        KeyAscii = qint16(KeyAscii - 32);
}

void frmMain::TextEditor_KeyDown(qint16& KeyCode, qint16 Shift)
{
    if (KeyCode == keycode::Enter && TextEditor->SelLength() != 0 && settings_.AutoComplete != 0) {
        platform::SendKeys(QStringLiteral("{RIGHT}"));
        platform::SendKeys(QStringLiteral(" "));
        KeyCode = keycode::None;
        return;
    }
    if (Shift != 0 && Shift != 1)
        return;
    if ((KeyCode >= keycode::A && KeyCode <= keycode::Z) || KeyCode == keycode::BracketLeft ||
        KeyCode == keycode::Space || KeyCode == keycode::Right)
        TextEditor->SetSelColor(settings_.EditorCharColor);
    else if (((KeyCode >= keycode::Digit0 && KeyCode <= keycode::Digit9) ||
              (KeyCode >= keycode::Numpad0 && KeyCode <= keycode::Numpad9)) &&
             Shift == 0)
        TextEditor->SetSelColor(settings_.EditorIntegerColor);
}

void frmMain::TextEditor_KeyUp(qint16 KeyCode, qint16 /*Shift*/)
{
    // A locked editor takes no typing, so there is nothing to complete.
    if (KeyCode != keycode::BracketLeft || settings_.AutoComplete == 0 || TextEditor->Locked())
        return;
    // The caret is held as a plain int, so the completion works at any position.
    const int p = TextEditor->SelStart();
    platform::SendKeys(QStringLiteral("BILLET"));
    DoEvents();
    TextEditor->Select(p, 6);
}

void frmMain::mnuToolsReformatText_Click()
{
    ReformatText(TextEditor);
}

void frmMain::ReformatText(RichTextBox* Box)
{
    TextBuffer->SetText(program::syntax::ReformatText(Box->Text()));
    const bool saveEnabled = IsButtonEnabled(QStringLiteral("Save"));
    // During a run Save is disabled: SaveWasEnabled keeps the document's real state.
    if (!runActive_)
        SaveWasEnabled = saveEnabled;
    HighLightSyntax();
    // Reformatting alone neither saves nor dirties the document.
    EnableCommands(QStringLiteral("Save"), saveEnabled);
}

bool frmMain::CheckSyntax(RichTextBox* Box)
{
    const std::optional<program::syntax::SyntaxError> error = program::syntax::CheckSyntax(Box->Text());
    if (!error)
        return false;
    if (TextEditor->isHidden())
        mnuViewTextEditor_Click();
    if (error->kind == 2) {
        // A blank goes in front of the word and is selected, so typing the missing address
        // letter replaces it.
        Box->Select(error->selStart, 1);
        Box->SetSelText(QStringLiteral(" ") + Box->SelText());
        Box->Select(error->selStart, 1);
    } else {
        Box->Select(error->selStart, error->selLength);
    }
    Box->setFocus();
    platform::MsgBox(error->message, platform::vbInformation, QStringLiteral("Syntax Error!"));
    return true;
}
