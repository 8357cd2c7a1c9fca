// The program editor in the main window: the colouring pass, the change handling, the typing
// aids and the billet completion, reformatting and the syntax check.
#include "test_editor_window.h"

#include "mainwindow/SyntaxColouring.h"
#include "platform/gui/WinColour.h"
#include "platform/widgets/FlexGrid.h"

#include <QKeyEvent>

namespace {

constexpr qint32 CharColour = platform::WinRgb(0, 0, 255);
constexpr qint32 IntegerColour = platform::WinRgb(200, 0, 0);
constexpr qint32 CommentColour = platform::WinRgb(0, 128, 0);
constexpr qint32 Back = platform::WinRgb(255, 255, 240);

class EditorPane : public EditorWindow
{
protected:
    void Start(int autoComplete = 1)
    {
        EditorWindow::Start();
        GlobalVariables& g = window->settings();
        g.EditorCharColor = CharColour;
        g.EditorIntegerColor = IntegerColour;
        g.EditorCommentColor = CommentColour;
        g.EditorBackColor = Back;
        g.AutoComplete = qint16(autoComplete);
    }

    void Colour(const QString& text)
    {
        window->TextBuffer->SetText(text);
        window->HighLightSyntax();
    }

    // Save, Print, Start, Step, Pause, Stop as "1" and "0".
    QString Commands()
    {
        QString out;
        for (const char* key : {"Save", "Print", "Start", "Step", "Pause", "Stop"})
            out += Enabled(key) ? u'1' : u'0';
        return out;
    }

    void Type(const QString& keys)
    {
        QTest::keyClicks(&Editor(), keys);
        QCoreApplication::processEvents();
    }

    void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(&Editor(), key, mods);
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(EditorPane, ThePassColoursEveryCharacterClass)
{
    Start();
    const qint32 plain = mainwindow::UncolouredTextColour(Back);
    // L letter colour, I integer colour, C comment colour, . left as it is.
    const struct { const char* text; const char* classes; } cases[] = {
        {"G01 X10.5 [CUT\r\n", "LIIILIIIIICCCC.."},
        {"[A\r\n[B\r\nG1", "CC..CC..LI"},
        {"[BILLET X20 Z40", "CCCCCCCCCCCCCCC"},
        {"X+5\t/-", "L.I..I"},
    };
    for (const auto& c : cases) {
        Colour(QString::fromLatin1(c.text));
        ASSERT_EQ(Editor().Text(), QString::fromLatin1(c.text));
        const QString classes = QString::fromLatin1(c.classes);
        for (int i = 0; i < classes.size(); ++i) {
            if (QChar(c.text[i]) == u'\r' || QChar(c.text[i]) == u'\n')
                continue; // a break's colour is not shown
            const qint32 expected = classes[i] == u'L' ? CharColour
                                    : classes[i] == u'I' ? IntegerColour
                                    : classes[i] == u'C' ? CommentColour
                                                         : plain;
            EXPECT_EQ(ColourAt(i), expected) << c.text << " at " << i;
        }
        EXPECT_EQ(Editor().BackColor(), Back);
        EXPECT_EQ(Commands(), "011100") << c.text; // saved, runnable
    }
}

TEST_F(EditorPane, ThePassUsesTheEditorFont)
{
    Start();
    window->settings().EditorFontName = "Courier New";
    window->settings().EditorFontSize = 14;
    window->settings().EditorBold = 1;
    Colour("G1 [A");
    for (int i : {0, 3}) {
        Editor().Select(i, 1);
        EXPECT_EQ(Editor().SelFontName(), "Courier New");
        EXPECT_EQ(Editor().SelFontSize(), 14.0);
        EXPECT_TRUE(Editor().SelBold());
    }
}

TEST_F(EditorPane, ThePassCountsTheDocumentAsSaved)
{
    Start();
    // Begun dirty: Print, Start and Step stay as they were.
    window->EnableCommands("Save,Start", true);
    window->EnableCommands("Print,Step", false);
    Colour("G1");
    EXPECT_EQ(Commands(), "001000");
    EXPECT_FALSE(window->mnuFileSave->isEnabled());
    EXPECT_TRUE(window->TextChanged);

    // An empty text: nothing to save, print or run.
    window->EnableCommands("Save,Print,Start,Step,Pause,Stop", true);
    Colour("");
    EXPECT_EQ(Editor().Text(), "");
    EXPECT_EQ(Commands(), "000000");
    EXPECT_EQ(Editor().BackColor(), Back);
}

TEST_F(EditorPane, LongTextsAreColouredToTheEnd)
{
    Start();
    QString text;
    while (text.size() < 40000)
        text += "G1 X10 Z-5 [cut\r\n";
    text += "M30";
    Colour(text);
    EXPECT_EQ(Editor().TextLength(), text.size());
    EXPECT_EQ(ColourAt(int(text.size()) - 3), CharColour);
    EXPECT_EQ(ColourAt(int(text.size()) - 1), IntegerColour);
    EXPECT_EQ(ColourAt(int(text.size()) - 6), CommentColour);
}

TEST_F(EditorPane, EditsSwitchTheCommands)
{
    Start();
    EXPECT_EQ(Commands(), "000000");
    window->TextChanged = false;
    Type("G");
    EXPECT_EQ(Commands(), "111100");
    EXPECT_TRUE(window->TextChanged);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Editor().Text(), "");
    EXPECT_EQ(Commands(), "000000");
}

TEST_F(EditorPane, TypedLettersAreCapitals)
{
    Start();
    Type("g1x");
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xc3\xa9"));
    QApplication::sendEvent(&Editor(), &accented); // an accented letter as it comes
    EXPECT_EQ(Editor().Text(), QString::fromUtf8("G1X\xc3\xa9"));
}

TEST_F(EditorPane, TypedTextTakesTheColourOfItsKey)
{
    Start();
    Type("G1 [x");
    EXPECT_EQ(ColourAt(0), CharColour);
    EXPECT_EQ(ColourAt(1), IntegerColour);
    EXPECT_EQ(ColourAt(2), CharColour); // Space
    EXPECT_EQ(ColourAt(3), CharColour); // "[" until the next pass
}

TEST_F(EditorPane, KeysSetTheInsertionColour)
{
    Start();
    const qint32 Marker = platform::WinRgb(1, 2, 3);
    // '-' for the colour left as it was.
    const struct { int code, shift; char colour; } cases[] = {
        {65, 0, 'L'}, {90, 1, 'L'}, {219, 0, 'L'}, {219, 1, 'L'}, {32, 0, 'L'}, {39, 0, 'L'},
        {48, 0, 'I'}, {57, 0, 'I'}, {96, 0, 'I'}, {105, 0, 'I'},
        {49, 1, '-'}, {189, 0, '-'}, {190, 0, '-'}, {8, 0, '-'}, {109, 0, '-'},
        {49, 2, '-'}, {65, 2, '-'}, {65, 4, '-'}, {219, 6, '-'},
    };
    for (const auto& c : cases) {
        Editor().SetSelStart(0);
        Editor().SetSelColor(Marker);
        qint16 code = qint16(c.code);
        window->TextEditor_KeyDown(code, qint16(c.shift));
        EXPECT_EQ(code, c.code); // not consumed
        const qint32 expected = c.colour == 'L' ? CharColour : c.colour == 'I' ? IntegerColour : Marker;
        EXPECT_EQ(Editor().SelColor(), expected) << c.code << "/" << c.shift;
    }
}

TEST_F(EditorPane, BracketCompletesTheBilletLineAndEnterAcceptsIt)
{
    Start();
    ASSERT_EQ(QApplication::focusWidget(), &Editor());
    Type("[");
    EXPECT_EQ(Editor().Text(), "[BILLET");
    EXPECT_EQ(Editor().SelStart(), 1);
    EXPECT_EQ(Editor().SelText(), "BILLET");
    Press(Qt::Key_Return);
    EXPECT_EQ(Editor().Text(), "[BILLET ");
    EXPECT_EQ(Editor().SelStart(), 8);
    EXPECT_EQ(Editor().SelLength(), 0);
    Type("x20");
    EXPECT_EQ(Editor().Text(), "[BILLET X20");
}

TEST_F(EditorPane, TypingOnRefusesTheCompletion)
{
    Start();
    Type("G0\r");
    Type("[");
    Type("x");
    EXPECT_EQ(Editor().Text(), "G0\r\n[X");
}

TEST_F(EditorPane, ShiftBracketStillCompletes)
{
    Start();
    Press(Qt::Key_BraceLeft, Qt::ShiftModifier);
    EXPECT_EQ(Editor().Text(), "{BILLET");
    EXPECT_EQ(Editor().SelText(), "BILLET");
}

TEST_F(EditorPane, WithoutAutoCompleteTheBracketIsTypedAloneAndEnterBreaksTheLine)
{
    Start(0);
    Type("[");
    EXPECT_EQ(Editor().Text(), "[");
    Press(Qt::Key_Return);
    EXPECT_EQ(Editor().Text(), "[\r\n");
    // A selection does not change that.
    Editor().SetText("G1 X10");
    Editor().Select(0, 2);
    Press(Qt::Key_Return);
    EXPECT_EQ(Editor().Text(), "\r\n X10");
}

TEST_F(EditorPane, EnterOnAMouseSelectionTypesABlankBehindIt)
{
    Start();
    Editor().SetText("G1 X10");
    Editor().Select(0, 2);
    Press(Qt::Key_Return);
    EXPECT_EQ(Editor().Text(), "G1  X10");
    EXPECT_EQ(Editor().SelStart(), 3);
}

TEST_F(EditorPane, ReformatKeepsTheSaveCommandAsItWas)
{
    Start();
    for (bool dirty : {true, false}) {
        Editor().SetText("g1x10.5 z-3 [cut\r\n\r\n");
        window->EnableCommands("Save", dirty);
        window->mnuToolsReformatText->trigger();
        EXPECT_EQ(Editor().Text(), "G1 X10.5 Z-3 [cut\r\n");
        EXPECT_EQ(Enabled("Save"), dirty);
        EXPECT_EQ(window->mnuFileSave->isEnabled(), dirty);
        EXPECT_EQ(ColourAt(0), CharColour); // and coloured
    }
}

TEST_F(EditorPane, ReformatOfAnEmptyEditorLeavesItEmpty)
{
    Start();
    window->mnuToolsReformatText_Click();
    EXPECT_EQ(Editor().Text(), "");
    EXPECT_FALSE(window->CheckSyntax(window->TextEditor));
}

TEST_F(EditorPane, SyntaxErrorsAreSelectedAndReported)
{
    Start();
    const struct { const char* text; int start, length; const char* message; const char* after; } cases[] = {
        {"G1 X1\r\nG20", 7, 3, "G20 is not a valid G Code", "G1 X1\r\nG20"},
        {"G1 X", 4, 0, "This is not a valid numeric value", "G1 X"},
        {"G1\r\nH10", 4, 1, "An invalid character 'H' was found.", "G1\r\nH10"},
        {"G1\r\n100", 4, 1, "Missing Character at this position.", "G1\r\n 100"},
    };
    for (const auto& c : cases) {
        Editor().SetText(QString::fromLatin1(c.text));
        window->EnableCommands("Save", false);
        MessageBoxRecorder boxes;
        EXPECT_TRUE(window->CheckSyntax(window->TextEditor)) << c.text;
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, c.message);
        EXPECT_EQ(boxes.shown[0].flags, 64);
        EXPECT_EQ(boxes.shown[0].title, "Syntax Error!");
        EXPECT_EQ(Editor().Text(), QString::fromLatin1(c.after));
        EXPECT_EQ(Editor().SelStart(), c.start) << c.text;
        EXPECT_EQ(Editor().SelLength(), c.length) << c.text;
    }
    // The inserted blank made the document dirty.
    EXPECT_EQ(Editor().SelText(), " ");
    EXPECT_TRUE(Enabled("Save"));
}

TEST_F(EditorPane, ASyntaxErrorBringsTheEditorBack)
{
    Start();
    Editor().SetText("G99");
    window->mnuViewDebugWindow_Click();
    ASSERT_TRUE(Editor().isHidden());
    MessageBoxRecorder boxes;
    EXPECT_TRUE(window->CheckSyntax(window->TextEditor));
    EXPECT_FALSE(Editor().isHidden());
    EXPECT_TRUE(window->mnuViewTextEditor->isChecked());
    EXPECT_EQ(Editor().SelText(), "G99");
}

TEST_F(EditorPane, AProgramThatPassesIsNotReported)
{
    Start();
    Editor().SetText("[BILLET X20 Z40\r\nG71 X+5 Z-.5\r\nG98 G1.5 X5.\r\n[only a comment");
    MessageBoxRecorder boxes;
    EXPECT_FALSE(window->CheckSyntax(window->TextEditor));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(EditorPane, ALockedEditorCompletesNothing)
{
    Start();
    Editor().SetText("G1 X10");
    Editor().SetSelStart(2);
    Editor().SetLocked(true);
    Type("[");
    EXPECT_EQ(Editor().Text(), "G1 X10");
    EXPECT_EQ(Editor().SelStart(), 2);
    EXPECT_EQ(Editor().SelLength(), 0);
}
