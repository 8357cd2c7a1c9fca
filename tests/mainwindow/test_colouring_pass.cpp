// The colouring pass builds the editor's text with its formats in one go. It must leave
// exactly what formatting the scratch box run by run and moving its content over leaves:
// the same characters, and for every character and every line the same format.
#include "test_editor_window.h"
#include "DocumentLook.h"

#include "mainwindow/SyntaxColouring.h"
#include "platform/gui/WinColour.h"
#include "program/ColourRuns.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// The pass as it formatted the scratch box selection by selection.
void selectionByselection(RichTextBox& buffer, RichTextBox& editor, const GlobalVariables& g)
{
    buffer.Select(0, buffer.TextLength());
    buffer.SetSelBold(g.EditorBold != 0);
    buffer.SetSelFontName(g.EditorFontName);
    buffer.SetSelFontSize(g.EditorFontSize);
    buffer.SetSelColor(mainwindow::UncolouredTextColour(g.EditorBackColor));
    for (const program::ColourRun& run : program::ColourRuns(buffer.Text())) {
        buffer.Select(run.start, run.length);
        buffer.SetSelColor(run.colour == program::SyntaxColour::Comment     ? g.EditorCommentColor
                           : run.colour == program::SyntaxColour::Character ? g.EditorCharColor
                                                                   : g.EditorIntegerColor);
    }
    editor.SetTextRTF(buffer.TextRTF());
}

} // namespace

class ColouringPass : public EditorWindow
{
};

TEST_F(ColouringPass, GivesEveryCharacterTheFormatOfTheSelectionBySelectionPass)
{
    Start();
    const QString longLine = QString("G01 X10.5 Z-3 [A COMMENT ").repeated(400);
    const QString texts[] = {
        "",
        "G",
        "\r\n",
        "G01 X10.5 [CUT\r\n",
        "[BILLET X20 Z40",
        "[A\r\n[B\r\nG1",
        "\r\n\r\n[\r\n\r\n",
        "X+5\t/-\r\ng01 x1.5 z-2\r\n",
        QString::fromUtf8("G01 X\u00e91 [\u00fcber\r\n\u00c4 Z-1"),
        longLine + "\r\n" + longLine.toLower() + "\r\nM30",
    };
    struct Settings { qint16 bold; const char* font; qint16 size; qint32 chars, integers, comments, back; };
    const Settings variants[] = {
        {0, "Courier New", 10, platform::WinRgb(0, 0, 255), platform::WinRgb(200, 0, 0), platform::WinRgb(0, 128, 0), 16777215},
        {1, "DejaVu Sans", 14, platform::WinRgb(9, 9, 9), platform::WinRgb(9, 9, 9), platform::WinRgb(9, 9, 9), 0},
    };
    RichTextBox buffer;
    RichTextBox editor;
    // Each text is coloured over the one before it, as the window does pass after pass: again
    // with the same settings (the box holds it already) and with other settings.
    for (const QString& text : texts) {
        for (const Settings& v : variants) {
            GlobalVariables& g = window->settings();
            g.EditorBold = v.bold;
            g.EditorFontName = v.font;
            g.EditorFontSize = v.size;
            g.EditorCharColor = v.chars;
            g.EditorIntegerColor = v.integers;
            g.EditorCommentColor = v.comments;
            g.EditorBackColor = v.back;
            for (int pass = 0; pass < 2; ++pass) {
                const std::string name = std::to_string(v.bold) + " pass " + std::to_string(pass) + " " + text.left(20).toStdString();
                buffer.SetText(text);
                selectionByselection(buffer, editor, g);
                window->TextBuffer->SetText(text);
                int changes = 0;
                const auto counter = QObject::connect(window->TextEditor, &RichTextBox::Change, [&] { ++changes; });
                window->HighLightSyntax();
                QObject::disconnect(counter);
                EXPECT_EQ(changes, 1) << name;
                expectSameLook(lookOf(*editor.document()), lookOf(*window->TextEditor->document()), name);
                EXPECT_EQ(window->TextEditor->Text(), text) << name;
            }
        }
    }
}

// One line of a megabyte is coloured in time in proportion to its length: the clock only
// guards against a pass that grows with the square of it, which would take hours here.
TEST_F(ColouringPass, AMegabyteLineIsColouredAtOnce)
{
    Start();
    const QString line = QString("G01 X10.5 Z-3 ").repeated(75000) + "[END";
    QElapsedTimer clock;
    clock.start();
    window->TextBuffer->SetText(line);
    window->HighLightSyntax();
    EXPECT_EQ(window->TextEditor->TextLength(), line.size());
    EXPECT_LT(clock.elapsed(), 60000);
    EXPECT_FALSE(Enabled("Save"));
}

// Opening a long program must not wait for the editor to lay out lines that nobody sees yet:
// those below the view are laid out afterwards, between events, to the very geometry that
// laying out all of it at once gives.
TEST_F(ColouringPass, LinesBelowTheViewAreLaidOutAfterwardsToTheSameGeometry)
{
    Start();
    ASSERT_TRUE(Editor().isVisible());
    QStringList lines;
    for (int i = 0; i < 4000; ++i)
        lines << QString("N%1 G01 X%2 Z-%3 F0.2 [CUT").arg(i * 10).arg(i % 40).arg(i % 60);
    lines << QString("G01 X1 ").repeated(200); // a wide line far below, for the width
    const QString text = lines.join("\r\n");
    window->TextBuffer->SetText(text);
    window->HighLightSyntax();
    QTextDocument* doc = Editor().document();
    EXPECT_EQ(Editor().Text(), text);
    EXPECT_EQ(doc->lastBlock().layout()->lineCount(), 0);

    RichTextBox reference;
    reference.setLineWrapMode(QTextEdit::NoWrap);
    reference.setFont(Editor().font());
    reference.resize(Editor().size());
    reference.SetTextRTF(Editor().TextRTF());
    reference.show();
    const QSizeF whole = reference.document()->documentLayout()->documentSize();

    QTRY_COMPARE_WITH_TIMEOUT(doc->lastBlock().layout()->lineCount(), 1, 20000);
    QCoreApplication::processEvents();
    EXPECT_EQ(doc->documentLayout()->documentSize(), whole);
    EXPECT_EQ(Editor().verticalScrollBar()->maximum(), reference.verticalScrollBar()->maximum());
    EXPECT_EQ(Editor().horizontalScrollBar()->maximum(), reference.horizontalScrollBar()->maximum());
}
