#include "platform/widgets/RichTextBox.h"
#include "platform/widgets/SendKeys.h"
#include "platform/EventLoop.h"
#include "platform/gui/WinColour.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint32 Blue = platform::WinRgb(0, 0, 255);
constexpr qint32 Green = platform::WinRgb(0, 128, 0);


// A shown, focused box, so that typed and simulated keys reach it.
struct FocusedBox
{
    RichTextBox box;
    FocusedBox()
    {
        box.resize(300, 200);
        box.show();
        box.activateWindow();
        box.setFocus();
        (void)QTest::qWaitForWindowActive(&box);
    }
};

} // namespace

TEST(RichTextBox, LineBreaksCountTwoInEveryPosition)
{
    RichTextBox b;
    b.SetText("G01 X10.5 [CUT\r\nG00\r\n");
    EXPECT_EQ(b.Text(), "G01 X10.5 [CUT\r\nG00\r\n");
    EXPECT_EQ(b.TextLength(), 21);

    struct Case { int start, length; const char* selected; int readStart, readLength; };
    const Case cases[] = {
        {16, 3, "G00", 16, 3},
        {10, 4, "[CUT", 10, 4},
        {13, 4, "T\r\nG", 13, 4},     // across a break
        {14, 2, "\r\n", 14, 2},       // the break itself
        {15, 1, "\r\n", 14, 2},       // the LF alone takes the whole break
        {19, 2, "\r\n", 19, 2},       // the last break
        {21, 0, "", 21, 0},           // the end
        {30, 5, "", 21, 0},           // beyond the end: clamped
        {-3, 3, "G01", 0, 3},
    };
    for (const Case& c : cases) {
        b.Select(c.start, c.length);
        EXPECT_EQ(b.SelText(), QString::fromLatin1(c.selected)) << c.start << "," << c.length;
        EXPECT_EQ(b.SelStart(), c.readStart) << c.start;
        EXPECT_EQ(b.SelLength(), c.readLength) << c.start;
    }

    // SelStart drops the selection, SelLength extends from it.
    b.SetSelStart(4);
    EXPECT_EQ(b.SelLength(), 0);
    b.SetSelLength(5);
    EXPECT_EQ(b.SelText(), "X10.5");
}

TEST(RichTextBox, EveryLineEndBecomesCrLf)
{
    const struct { const char* in; const char* out; } cases[] = {
        {"a\nb", "a\r\nb"},
        {"a\rb", "a\r\nb"},
        {"a\r\n\r\nb\n", "a\r\n\r\nb\r\n"},
        {"a\n\rb", "a\r\n\r\nb"},
        {"", ""},
    };
    RichTextBox b;
    for (const auto& c : cases) {
        b.SetText(QString::fromLatin1(c.in));
        EXPECT_EQ(b.Text(), QString::fromLatin1(c.out)) << c.in;
    }
    // Pasted text too.
    struct PasteBox : RichTextBox { using RichTextBox::insertFromMimeData; } p;
    p.SetText("X1");
    p.SetSelStart(2);
    QMimeData mime;
    mime.setText(QString("\nZ2\rZ3") + QChar::LineSeparator + "Z4");
    p.insertFromMimeData(&mime);
    EXPECT_EQ(p.Text(), "X1\r\nZ2\r\nZ3\r\nZ4");
}

TEST(RichTextBox, ChangeIsRaisedOncePerTextChangeAndNeverForFormatting)
{
    RichTextBox b;
    QSignalSpy change(&b, &RichTextBox::Change);

    b.SetText("G1 X5\r\nG0 Z1");
    EXPECT_EQ(change.count(), 1);
    b.SetText("G1 X5\r\nG0 Z1"); // the same text again still counts as set
    EXPECT_EQ(change.count(), 2);

    b.Select(0, 8);
    b.SetSelColor(Blue);
    b.SetSelBold(true);
    b.SetSelFontName("Courier New");
    b.SetSelFontSize(14);
    b.SetSelStart(3);
    b.SetSelColor(Green); // insertion format only
    EXPECT_EQ(change.count(), 2);

    b.Select(3, 2);
    b.SetSelText(" X6");
    EXPECT_EQ(change.count(), 3);
    EXPECT_EQ(b.Text(), "G1  X6\r\nG0 Z1");

    RichTextBox other;
    other.SetText("N10");
    b.SetTextRTF(other.TextRTF());
    EXPECT_EQ(change.count(), 4);
    b.SetTextRTF(RichText{});
    EXPECT_EQ(change.count(), 5);
    EXPECT_EQ(b.Text(), "");
}

TEST(RichTextBox, FormatAppliesToTheSelectionOrToWhatIsTypedNext)
{
    FocusedBox f;
    RichTextBox& b = f.box;
    b.SetText("G01 X10");
    b.Select(4, 3);
    b.SetSelColor(Blue);
    b.SetSelBold(true);
    b.SetSelFontName("Courier New");
    b.SetSelFontSize(13);

    b.Select(4, 1);
    EXPECT_EQ(b.SelColor(), Blue);
    EXPECT_TRUE(b.SelBold());
    EXPECT_EQ(b.SelFontName(), "Courier New");
    EXPECT_EQ(b.SelFontSize(), 13.0);
    b.Select(3, 1);
    EXPECT_NE(b.SelColor(), Blue);
    EXPECT_FALSE(b.SelBold());

    // Empty selection: the next typed character takes the format.
    b.SetSelStart(3);
    b.SetSelColor(Green);
    QTest::keyClicks(&b, "Z");
    EXPECT_EQ(b.Text(), "G01Z X10");
    b.Select(3, 1);
    EXPECT_EQ(b.SelColor(), Green);
    b.Select(2, 1);
    EXPECT_NE(b.SelColor(), Green);
}

TEST(RichTextBox, ColouredTextMovesToAnotherBoxInOneAssignment)
{
    RichTextBox buffer;
    buffer.SetText("G1 [A\r\nX2");
    buffer.Select(3, 2);
    buffer.SetSelColor(Green);
    buffer.Select(7, 1);
    buffer.SetSelColor(Blue);

    RichTextBox editor;
    editor.SetText("old text that is longer");
    editor.SetSelStart(5);
    QSignalSpy change(&editor, &RichTextBox::Change);
    QStringList seen;
    QObject::connect(&editor, &RichTextBox::Change, [&] { seen << editor.Text(); });
    editor.SetTextRTF(buffer.TextRTF());

    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(seen, QStringList{"G1 [A\r\nX2"}); // the handler sees the new text
    EXPECT_EQ(editor.Text(), "G1 [A\r\nX2");
    editor.Select(3, 1);
    EXPECT_EQ(editor.SelColor(), Green);
    editor.Select(4, 1);
    EXPECT_EQ(editor.SelColor(), Green);
    editor.Select(7, 1);
    EXPECT_EQ(editor.SelColor(), Blue);
    editor.Select(8, 1);
    EXPECT_NE(editor.SelColor(), Blue);
    // Undo cannot bring back the replaced document.
    EXPECT_FALSE(editor.document()->isUndoAvailable());
}

TEST(RichTextBox, CaretStaysWhereItWasWhenTheContentIsReplaced)
{
    RichTextBox b;
    b.SetText("G1 X1\r\nG1 X2");
    b.SetSelStart(9);
    RichTextBox other;
    other.SetText("G1 X1\r\nG1 X3");
    b.SetTextRTF(other.TextRTF());
    EXPECT_EQ(b.SelStart(), 9);
    other.SetText("G1");
    b.SetTextRTF(other.TextRTF());
    EXPECT_EQ(b.SelStart(), 2);
}

TEST(RichTextBox, FindCountsBreaksAsTwoAndSelectsWhatItFound)
{
    RichTextBox b;
    b.SetText("G0 X1\r\n[billet X20 Z40\r\n[BILLET");
    const struct { const char* what; int start, end; bool matchCase; int found; } cases[] = {
        {"[BILLET", 0, -1, false, 7},
        {"[BILLET", 0, -1, true, 24},
        {"[BILLET", 8, -1, false, 24},
        {"[BILLET", 0, 20, false, 7},
        {"[BILLET", 8, 30, false, -1}, // would end beyond the range
        {"M30", 0, -1, false, -1},
        {"", 0, -1, false, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(b.Find(c.what, c.start, c.end, c.matchCase), c.found) << c.what << " " << c.start;
    EXPECT_EQ(b.Find("X20"), 15);
    EXPECT_EQ(b.SelStart(), 15);
    EXPECT_EQ(b.SelText(), "X20");
}

TEST(RichTextBox, LockedTakesNoTypingButCodeStillSetsIt)
{
    FocusedBox f;
    RichTextBox& b = f.box;
    b.SetText("G1");
    b.SetLocked(true);
    b.SetSelStart(2);
    QTest::keyClicks(&b, "X5");
    EXPECT_EQ(b.Text(), "G1");
    b.SetText("G0");
    b.Select(0, 1);
    EXPECT_EQ(b.SelText(), "G");
    b.SetLocked(false);
    b.SetSelStart(2);
    QTest::keyClicks(&b, "X5");
    EXPECT_EQ(b.Text(), "G0X5");
}

TEST(RichTextBox, BackColorIsTheBackground)
{
    RichTextBox b;
    b.SetBackColor(platform::WinRgb(10, 20, 30));
    EXPECT_EQ(b.BackColor(), platform::WinRgb(10, 20, 30));
    EXPECT_EQ(b.palette().color(QPalette::Base), QColor(10, 20, 30));
}

TEST(RichTextBox, KeysAreReportedWithWindowsCodes)
{
    const struct { Qt::Key key; Qt::KeyboardModifiers mods; int code; } cases[] = {
        {Qt::Key_A, Qt::NoModifier, 65},
        {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_BracketLeft, Qt::NoModifier, 219},
        {Qt::Key_BraceLeft, Qt::ShiftModifier, 219},
        {Qt::Key_0, Qt::NoModifier, 48},
        {Qt::Key_9, Qt::NoModifier, 57},
        {Qt::Key_5, Qt::KeypadModifier, 101},
        {Qt::Key_Exclam, Qt::ShiftModifier, 49},
        {Qt::Key_Return, Qt::NoModifier, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Space, Qt::NoModifier, 32},
        {Qt::Key_Right, Qt::NoModifier, 39},
        {Qt::Key_Minus, Qt::NoModifier, 189},
        {Qt::Key_Period, Qt::NoModifier, 190},
        {Qt::Key_Backspace, Qt::NoModifier, 8},
        {Qt::Key_F2, Qt::NoModifier, 113},
        {Qt::Key_Eacute, Qt::NoModifier, 0},
    };
    for (const auto& c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods);
        EXPECT_EQ(RichTextBox::WindowsKeyCode(e), c.code) << c.key;
    }
    EXPECT_EQ(RichTextBox::ShiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(RichTextBox::ShiftState(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(RichTextBox::ShiftState(Qt::KeypadModifier), 0);
}

TEST(RichTextBox, KeyHandlersCanChangeOrSwallowKeys)
{
    FocusedBox f;
    RichTextBox& b = f.box;
    std::vector<std::pair<int, int>> downs, ups;
    QObject::connect(&b, &RichTextBox::KeyDown, [&](qint16& code, qint16 shift) {
        downs.emplace_back(code, shift);
        if (code == 13)
            code = 0;
    });
    QObject::connect(&b, &RichTextBox::KeyUp, [&](qint16 code, qint16 shift) { ups.emplace_back(code, shift); });
    QObject::connect(&b, &RichTextBox::KeyPress, [&](qint16& ascii) {
        if (ascii >= 97 && ascii <= 122)
            ascii = qint16(ascii - 32);
        if (ascii == '#')
            ascii = 0;
    });

    QTest::keyClicks(&b, "g1#x");
    QTest::keyClick(&b, Qt::Key_Return);
    EXPECT_EQ(b.Text(), "G1X"); // lowered letters typed as capitals, # and Enter swallowed
    ASSERT_EQ(downs.size(), 5u);
    EXPECT_EQ(downs[0], std::make_pair(71, 0));
    EXPECT_EQ(downs[4], std::make_pair(13, 0));
    ASSERT_EQ(ups.size(), 5u);
    EXPECT_EQ(ups[4], std::make_pair(13, 0));

    ups.clear();
    QTest::keyClick(&b, Qt::Key_BraceLeft, Qt::ShiftModifier);
    EXPECT_NE(std::find(ups.begin(), ups.end(), std::make_pair(219, 1)), ups.end());
    EXPECT_EQ(b.Text(), "G1X{");
}

TEST(RichTextBox, ShiftEnterIsAnOrdinaryLineBreak)
{
    FocusedBox f;
    f.box.SetText("G1");
    f.box.SetSelStart(2);
    QTest::keyClick(&f.box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(&f.box, "X");
    EXPECT_EQ(f.box.Text(), "G1\r\nX");
}

TEST(RichTextBox, RightArrowDropsASelectionAtItsEnd)
{
    FocusedBox f;
    RichTextBox& b = f.box;
    b.SetText("[BILLET X");
    b.Select(1, 6);
    QTest::keyClick(&b, Qt::Key_Right);
    EXPECT_EQ(b.SelStart(), 7);
    EXPECT_EQ(b.SelLength(), 0);
    b.Select(1, 6);
    QTest::keyClick(&b, Qt::Key_Left);
    EXPECT_EQ(b.SelStart(), 1);
    EXPECT_EQ(b.SelLength(), 0);
}

TEST(RichTextBox, SimulatedKeysAreTypedAtTheNextDoEvents)
{
    FocusedBox f;
    RichTextBox& b = f.box;
    ASSERT_EQ(QApplication::focusWidget(), &b);
    std::vector<int> downs;
    QObject::connect(&b, &RichTextBox::KeyDown, [&](qint16& code, qint16) { downs.push_back(code); });
    b.SetText("[X");
    b.Select(1, 1);
    platform::SendKeys("{RIGHT} BILLET");
    EXPECT_EQ(b.Text(), "[X"); // queued only
    platform::DoEvents();
    EXPECT_EQ(b.Text(), "[X BILLET");
    EXPECT_EQ(downs, (std::vector<int>{39, 32, 66, 73, 76, 76, 69, 84}));

    RichTextBox other; // not focused, addressed directly
    platform::SendKeys("ab", &other);
    platform::DoEvents();
    EXPECT_EQ(other.Text(), "ab");
}

// ---- files ----

TEST(RichTextBoxFiles, LoadReadsEveryLineEndAndEncoding)
{
    QTemporaryDir dir;
    const struct { const char* name; QByteArray bytes; QString text; } cases[] = {
        {"crlf", "G1 X1\r\nG0\r\n", "G1 X1\r\nG0\r\n"},
        {"lf", "G1 X1\nG0\n", "G1 X1\r\nG0\r\n"},
        {"cr", "G1 X1\rG0", "G1 X1\r\nG0"},
        {"mixed", "a\r\nb\nc\rd", "a\r\nb\r\nc\r\nd"},
        {"utf8", "[caf\xc3\xa9", QString::fromUtf8("[caf\xc3\xa9")},
        {"bom", "\xef\xbb\xbfG1", "G1"},
        {"cp1252", "[caf\xe9 \x80 \x96", QString::fromUtf8("[caf\xc3\xa9 \xe2\x82\xac \xe2\x80\x93")},
        {"cp1252 last", "[caf\xe9", QString::fromUtf8("[caf\xc3\xa9")},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(c.name);
        WriteFileBytes(path, c.bytes);
        RichTextBox b;
        QString error;
        ASSERT_TRUE(b.LoadFile(path, &error)) << c.name << error.toStdString();
        EXPECT_EQ(b.Text(), c.text) << c.name;
        EXPECT_EQ(b.FileName(), path);
    }
}

TEST(RichTextBoxFiles, SaveWritesExactlyTheTextAndReadsBackTheSame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("part.cnc");
    RichTextBox b;
    b.SetText(QString::fromUtf8("[BILLET X20 Z40\r\nG0 X0 Z0 [\xc3\xa9\r\nM30"));
    QString error;
    ASSERT_TRUE(b.SaveFile(path, &error)) << error.toStdString();
    EXPECT_EQ(ReadFileBytes(path), QByteArray("[BILLET X20 Z40\r\nG0 X0 Z0 [\xc3\xa9\r\nM30"));

    RichTextBox again;
    ASSERT_TRUE(again.LoadFile(path));
    EXPECT_EQ(again.Text(), b.Text());
}

TEST(RichTextBoxFiles, AFailedLoadLeavesTheBoxAsItWas)
{
    QTemporaryDir dir;
    RichTextBox b;
    b.SetText("G1");
    QSignalSpy change(&b, &RichTextBox::Change);
    QString error;
    EXPECT_FALSE(b.LoadFile(dir.filePath("missing.cnc"), &error));
    EXPECT_TRUE(error.contains("missing.cnc")) << error.toStdString();
    EXPECT_FALSE(b.LoadFile(dir.path(), &error)); // a folder
    EXPECT_EQ(b.Text(), "G1");
    EXPECT_EQ(b.FileName(), "");
    EXPECT_EQ(change.count(), 0);
}

TEST(RichTextBoxFiles, ASaveWithNowhereToWriteFails)
{
    QTemporaryDir dir;
    RichTextBox b;
    b.SetText("new");
    QString error;

    // Nowhere to write: a folder that does not exist, a path under a file.
    EXPECT_FALSE(b.SaveFile(dir.filePath("nofolder/a.cnc"), &error));
    EXPECT_FALSE(error.isEmpty());
    WriteFileBytes(dir.filePath("plain"), "x");
    EXPECT_FALSE(b.SaveFile(dir.filePath("plain/a.cnc"), &error));
    EXPECT_EQ(ReadFileBytes(dir.filePath("plain")), "x");
}

TEST(RichTextBoxFiles, SavesBackInTheEncodingItWasReadIn)
{
    QTemporaryDir dir;
    const struct { const char* name; QByteArray bytes; } cases[] = {
        {"cp1252", "[caf\xe9 \x80 \x96\r\nM30"},
        {"utf8", "[caf\xc3\xa9\r\nM30"},
        {"bom", "\xef\xbb\xbf[BILLET X20 Z40\r\nM30"},
        {"ascii", "[BILLET X20 Z40\r\nM30"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(c.name);
        WriteFileBytes(path, c.bytes);
        RichTextBox b;
        ASSERT_TRUE(b.LoadFile(path)) << c.name;
        QString error;
        ASSERT_TRUE(b.SaveFile(path, &error)) << c.name << error.toStdString();
        EXPECT_EQ(ReadFileBytes(path), c.bytes) << c.name;
        // Under another name too, and from another box that carries the encoding over.
        RichTextBox other;
        other.SetText(b.Text());
        other.SetEncoding(b.Encoding());
        ASSERT_TRUE(other.SaveFile(path + ".as", &error)) << c.name;
        EXPECT_EQ(ReadFileBytes(path + ".as"), c.bytes) << c.name;
    }
}

TEST(RichTextBoxFiles, ACharacterTheEncodingCannotHoldKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.cnc");
    WriteFileBytes(path, "[caf\xe9\r\nM30");
    RichTextBox b;
    ASSERT_TRUE(b.LoadFile(path));
    ASSERT_EQ(b.Encoding(), RichTextBox::FileEncoding::Windows1252);
    b.SetText(b.Text() + QString::fromUtf8("\r\n[\xce\xa9")); // a Greek capital omega
    QString error;
    EXPECT_FALSE(b.SaveFile(path, &error));
    EXPECT_TRUE(error.contains("old.cnc")) << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromUtf8("\"\xce\xa9\""))) << error.toStdString();
    EXPECT_TRUE(error.contains("line 3")) << error.toStdString();
    EXPECT_TRUE(error.contains("Windows-1252")) << error.toStdString();
    EXPECT_EQ(ReadFileBytes(path), QByteArray("[caf\xe9\r\nM30"));
}

TEST(RichTextBoxFiles, WhatCannotBeAProgramIsRefusedWithItsReason)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath("huge.cnc");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(RichTextBox::MaxFileBytes + 1)); // sparse: no disk space taken
    }
    const struct { QString path; const char* reason; } cases[] = {
        {"/dev/zero", "not a regular file"},
        {fifo, "not a regular file"},
        {huge, "larger than 16 MB"},
        {dir.path(), "folder"},
    };
    for (const auto& c : cases) {
        RichTextBox b;
        b.SetText("G1");
        QString error;
        EXPECT_FALSE(b.LoadFile(c.path, &error)) << c.path.toStdString();
        EXPECT_TRUE(error.contains(c.path)) << error.toStdString();
        EXPECT_TRUE(error.contains(c.reason)) << error.toStdString();
        EXPECT_EQ(b.Text(), "G1");
    }
}

// A write that the system refuses half way (here past a file-size limit, as a full disk
// would) reports the system's reason and leaves the old file whole.
TEST(RichTextBoxFiles, AWriteTheSystemRefusesReportsItsReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("part.cnc");
    WriteFileBytes(path, "old");
    RichTextBox b;
    b.SetText(QString(64 * 1024, QLatin1Char('G')));
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool saved = b.SaveFile(path, &error);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_TRUE(error.contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << error.toStdString();
    EXPECT_FALSE(error.contains("Unknown error")) << error.toStdString();
    EXPECT_EQ(ReadFileBytes(path), "old");
}

// A long text formatted anew (the editor recoloured after the options changed) keeps the view
// where it was, although the lines below the view are laid out only afterwards: whether the
// view follows the caret or was scrolled away from it.
TEST(RichTextBox, ALongTextFormattedAnewKeepsTheCaretAndTheView)
{
    // Long comments first, so that the length of the lines not laid out yet is underestimated.
    QStringList lines;
    for (int i = 0; i < 3000; ++i)
        lines << (i < 100 ? QString("[A LONG COMMENT ").repeated(12)
                          : QString("N%1 G01 X%2 Z-%3").arg(i * 10).arg(i % 40).arg(i % 60));
    lines << QString("G01 X1 ").repeated(60); // the widest line, last
    const QString text = lines.join("\r\n");
    const auto formatted = [&](Qt::GlobalColor colour) {
        QTextCharFormat f;
        f.setForeground(QColor(colour));
        return std::vector<QTextCharFormat>{f};
    };
    const std::vector<FormattedRun> runs{{int(text.size()), 0}};
    const struct { const char* name; int caretLine; int viewLine; bool scrolledRight; } cases[] = {
        {"view at the caret", 2500, -1, false},
        {"view above the caret", 2500, 1500, false},
        {"view below the caret", 100, 2800, false},
        {"view below the caret, scrolled right", 100, 2800, true},
    };
    for (const auto& c : cases) {
        RichTextBox box;
        box.setLineWrapMode(QTextEdit::NoWrap);
        box.resize(300, 200);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        box.SetFormattedText(text, formatted(Qt::blue), runs);
        QTRY_COMPARE(box.document()->lastBlock().layout()->lineCount(), 1);
        box.Select(int(text.indexOf(lines[c.caretLine])), 0);
        if (c.viewLine >= 0) {
            const QTextBlock line = box.document()->findBlockByNumber(c.viewLine);
            box.verticalScrollBar()->setValue(int(box.document()->documentLayout()->blockBoundingRect(line).top()));
        }
        if (c.scrolledRight)
            box.horizontalScrollBar()->setValue(box.horizontalScrollBar()->maximum());
        QCoreApplication::processEvents();
        const int caret = box.SelStart();
        const int view = box.verticalScrollBar()->value();
        const int across = box.horizontalScrollBar()->value();
        ASSERT_GT(view, 0) << c.name;

        box.SetFormattedText(text, formatted(Qt::red), runs);
        EXPECT_EQ(box.SelStart(), caret) << c.name;
        EXPECT_EQ(box.verticalScrollBar()->value(), view) << c.name;
        EXPECT_EQ(box.horizontalScrollBar()->value(), across) << c.name;
        box.Select(0, 1);
        EXPECT_EQ(box.SelColor(), platform::WinRgb(255, 0, 0)) << c.name;
    }
}
