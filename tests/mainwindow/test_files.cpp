// The file commands of the main window: New, Open, Save, Save As, the save question, the
// recent-file list and reopening the newest file at start-up.
#include "test_editor_window.h"

#include "mainwindow/RecentFiles.h"
#include "platform/AppPaths.h"
#include "platform/widgets/FlexGrid.h"

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Files : public EditorWindow
{
protected:
    void MakeDirty(const QString& text = "G1 X5")
    {
        Editor().SetText(text);
        ASSERT_TRUE(Enabled("Save"));
    }
};

} // namespace

TEST_F(Files, SavingANewDocumentGoesToSaveAs)
{
    Start();
    MakeDirty("[BILLET X20 Z40\r\nG0 X0");
    const QString path = dir.filePath("a.cnc");
    dialogAnswers.push_back(path);
    window->mnuFileSave->trigger();

    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].kind, platform::FileDialogRequest::Save);
    EXPECT_EQ(dialogs[0].filter, "CNC Code Files|*.cnc|All Files|*.*");
    EXPECT_EQ(dialogs[0].startDir, platform::AppPath());
    EXPECT_EQ(ReadFileBytes(path), "[BILLET X20 Z40\r\nG0 X0");
    EXPECT_EQ(Panel(), "a.cnc");
    EXPECT_EQ(Entry(0), path);
    EXPECT_EQ(RecentCaptions(), QStringList{"&1   a.cnc"});
    EXPECT_TRUE(window->mnuFileRecentFiles[0]->isEnabled());
    EXPECT_FALSE(Enabled("Save"));
    EXPECT_FALSE(window->mnuFileSave->isEnabled());

    // Save then writes to that path, exactly the editor's text.
    Editor().SetText("M30");
    window->mnuFileSave_Click();
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(ReadFileBytes(path), "M30");
    EXPECT_FALSE(Enabled("Save"));
}

TEST_F(Files, NoInNewEmptiesEditorAndGridWithoutSaving)
{
    Start();
    MakeDirty();
    window->LoadDebugWindow();
    MessageBoxRecorder boxes(platform::vbNo);
    window->mnuFileNew_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Save changes to Untitled?");
    EXPECT_EQ(boxes.shown[0].flags, 35);
    EXPECT_EQ(boxes.shown[0].title, "Save Changes?");
    EXPECT_EQ(Editor().Text(), "");
    EXPECT_EQ(window->DebugWindow->Rows(), 1);
    EXPECT_EQ(Panel(), "Untitled");
    for (const char* key : {"Save", "Print", "Start", "Step", "Pause", "Stop"})
        EXPECT_FALSE(Enabled(key)) << key;
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(Files, NewShowsTheEditorAgain)
{
    Start();
    window->mnuViewDebugWindow_Click();
    ASSERT_TRUE(Editor().isHidden());
    window->mnuFileNew_Click(); // nothing to save: no question
    EXPECT_FALSE(Editor().isHidden());
    EXPECT_TRUE(window->mnuViewTextEditor->isChecked());
}

TEST_F(Files, YesThenACancelledSaveAsKeepsEverything)
{
    Start();
    MakeDirty();
    for (auto command : {&frmMain::mnuFileNew_Click, &frmMain::mnuFileOpen_Click}) {
        MessageBoxRecorder boxes(platform::vbYes);
        dialogAnswers.push_back(std::nullopt); // Save As cancelled
        (window.get()->*command)();
        EXPECT_EQ(boxes.shown.size(), 1u); // only the question
        EXPECT_EQ(Editor().Text(), "G1 X5");
        EXPECT_TRUE(Enabled("Save"));
        EXPECT_EQ(Panel(), "Untitled");
        EXPECT_EQ(Entry(0), "");
    }
    EXPECT_EQ(dialogs.size(), 2u); // a Save As each time, never the open dialog
    EXPECT_EQ(dialogs[1].kind, platform::FileDialogRequest::Save);
}

TEST_F(Files, CancelInTheQuestionChangesNothing)
{
    Start();
    MakeDirty();
    MessageBoxRecorder boxes(platform::vbCancel);
    window->mnuFileNew_Click();
    window->mnuFileOpen_Click();
    EXPECT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(Editor().Text(), "G1 X5");
    EXPECT_TRUE(Enabled("Save"));
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(Files, OpenLoadsColoursAndFillsTheGrid)
{
    Start();
    const QString path = WriteFile("parts/p1.cnc", "[BILLET X20 Z40\nG0 X0 Z0\nM30");
    window->TextChanged = true;
    Open(path);
    EXPECT_EQ(dialogs[0].kind, platform::FileDialogRequest::Open);
    EXPECT_EQ(Editor().Text(), "[BILLET X20 Z40\r\nG0 X0 Z0\r\nM30");
    EXPECT_EQ(Editor().SelStart(), 0); // shown from its first line
    EXPECT_EQ(ColourAt(0), window->settings().EditorCommentColor);
    EXPECT_EQ(ColourAt(17), window->settings().EditorCharColor);
    EXPECT_EQ(Panel(), "p1.cnc");
    EXPECT_EQ(Entry(0), path);
    EXPECT_EQ(window->DebugWindow->Rows(), 3);
    EXPECT_FALSE(window->TextChanged);
    EXPECT_FALSE(Enabled("Save"));
    for (const char* key : {"Print", "Start", "Step"})
        EXPECT_TRUE(Enabled(key)) << key;

    // The next dialog opens in that file's folder.
    dialogAnswers.push_back(std::nullopt);
    window->mnuFileOpen_Click();
    EXPECT_EQ(dialogs[1].startDir, QFileInfo(path).absolutePath());
}

TEST_F(Files, ACancelledOpenChangesNothingAndSaysNothing)
{
    Start();
    Editor().SetText("G1");
    window->EnableCommands("Save", false);
    MessageBoxRecorder boxes;
    dialogAnswers.push_back(std::nullopt);
    window->mnuFileOpen_Click();
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Editor().Text(), "G1");
    EXPECT_EQ(Panel(), "Untitled");
}

TEST_F(Files, AFileThatCannotBeOpenedIsReportedAndTheEditorKeepsItsText)
{
    Start();
    Editor().SetText("G1");
    window->EnableCommands("Save", false);
    MessageBoxRecorder boxes;
    Open(dir.filePath("gone.cnc"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].flags, 16);
    EXPECT_EQ(boxes.shown[0].title, "Error!");
    EXPECT_TRUE(boxes.shown[0].text.contains("gone.cnc"));
    EXPECT_EQ(Editor().Text(), "G1");
    EXPECT_EQ(Entry(0), "");
}

TEST_F(Files, FiveOpenedFilesShowFourItemsAndStoreFive)
{
    Start();
    EXPECT_EQ(RecentCaptions(), QStringList{"Recent Files"});
    EXPECT_FALSE(window->mnuFileRecentFiles[0]->isEnabled());
    Open(WriteFile("1.cnc", "G1"));
    EXPECT_EQ(RecentCaptions(), QStringList{"&1   1.cnc"});
    for (const char* name : {"2.cnc", "3.cnc", "4.cnc", "5.cnc"})
        Open(WriteFile(name, "G1"));
    EXPECT_EQ(RecentCaptions(), (QStringList{"&1   5.cnc", "&2   4.cnc", "&3   3.cnc", "&4   2.cnc"}));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(mainwindow::recent::GetFileName(Entry(i)), QString::number(5 - i) + ".cnc") << i;
}

TEST_F(Files, ReopeningTheSecondListsItTwice)
{
    Start();
    const QString a = WriteFile("a.cnc", "G1"), b = WriteFile("b.cnc", "G2"), c = WriteFile("c.cnc", "G3");
    Open(a);
    Open(b);
    Open(c);
    Open(b);
    EXPECT_EQ(RecentCaptions(), (QStringList{"&1   b.cnc", "&2   c.cnc", "&3   b.cnc", "&4   a.cnc"}));
}

TEST_F(Files, ChoosingItemThreeMovesItsEntryToTheTop)
{
    Start();
    QStringList paths;
    for (const char* name : {"e.cnc", "d.cnc", "c.cnc", "b.cnc", "a.cnc"})
        paths.prepend(WriteFile(name, QByteArray("[") + name));
    for (int i = 4; i >= 0; --i)
        Open(paths[i]); // entries: a b c d e
    window->mnuFileRecentFiles[2]->trigger();
    EXPECT_EQ(Editor().Text(), "[c.cnc");
    EXPECT_EQ(Panel(), "c.cnc");
    const QStringList expected = {paths[2], paths[0], paths[1], paths[3], paths[4]};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Entry(i), expected[i]) << i;
    EXPECT_EQ(RecentCaptions()[0], "&1   c.cnc");
    EXPECT_FALSE(Enabled("Save"));
    EXPECT_TRUE(Enabled("Start"));
    EXPECT_FALSE(window->TextChanged);
}

TEST_F(Files, AMissingRecentFileIsReportedAndTheListKept)
{
    Start();
    const QString kept = WriteFile("kept.cnc", "G1");
    Open(WriteFile("gone.cnc", "G2"));
    Open(kept);
    QFile::remove(dir.filePath("gone.cnc"));
    MessageBoxRecorder boxes;
    window->mnuFileRecentFiles_Click(1);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].flags, 16);
    EXPECT_EQ(boxes.shown[0].title, "Brenholt's Turnwise");
    EXPECT_TRUE(boxes.shown[0].text.contains("gone.cnc"));
    EXPECT_EQ(Editor().Text(), "G1");
    EXPECT_EQ(Panel(), "kept.cnc");
    EXPECT_EQ(RecentCaptions(), (QStringList{"&1   kept.cnc", "&2   gone.cnc"}));
}

TEST_F(Files, AFailedSaveKeepsTheDocumentDirtyAndSaysWhy)
{
    Start();
    const QString path = WriteFile("gone/p.cnc", "G1");
    Open(path);
    Editor().SetText("G1 X2");
    QDir(dir.filePath("gone")).removeRecursively();
    {
        MessageBoxRecorder boxes;
        window->mnuFileSave_Click();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].flags, 16);
        EXPECT_EQ(boxes.shown[0].title, "Error!");
        EXPECT_TRUE(boxes.shown[0].text.contains("p.cnc")) << boxes.shown[0].text.toStdString();
        EXPECT_TRUE(Enabled("Save"));
    }
    {
        // Yes to the question of New: the save fails, New ends, the text stays.
        MessageBoxRecorder boxes(platform::vbYes);
        window->mnuFileNew_Click();
        EXPECT_EQ(boxes.shown.size(), 2u);
        EXPECT_EQ(Editor().Text(), "G1 X2");
        EXPECT_EQ(Panel(), "p.cnc");
    }
    {
        // Save As to a place that cannot be written: reported, nothing changes.
        MessageBoxRecorder boxes;
        dialogAnswers.push_back(dir.filePath("nowhere/q.cnc"));
        window->mnuFileSaveAS_Click();
        EXPECT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(Enabled("Save"));
        EXPECT_EQ(Panel(), "p.cnc");
        EXPECT_EQ(Entry(0), path);
    }
}

TEST_F(Files, PrintDoesNothing)
{
    Start();
    MakeDirty();
    MessageBoxRecorder boxes;
    window->mnuFilePrint_Click();
    window->Toolbar_ButtonClick("Print");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(Editor().Text(), "G1 X5");
    EXPECT_TRUE(Enabled("Save"));
}

TEST_F(Files, StartUpReopensTheNewestFile)
{
    const QString path = WriteFile("last.cnc", "G0 X1");
    const struct { const char* openLast; bool exists; const char* panel; const char* text; size_t messages; } cases[] = {
        {"1", true, "last.cnc", "G0 X1", 0},
        {"0", true, "Untitled", "", 0},
        {"1", false, "Untitled", "", 1}, // gone: said so, the list kept
    };
    for (const auto& c : cases) {
        store = RecordingStore();
        PutSetting("General", "OpenLastFile", c.openLast);
        store.Put("RecentFilePaths", "0", c.exists ? path : dir.filePath("missing.cnc"));
        MessageBoxRecorder boxes;
        Start();
        EXPECT_EQ(Panel(), c.panel) << c.openLast << c.exists;
        EXPECT_EQ(Editor().Text(), c.text);
        EXPECT_EQ(boxes.shown.size(), c.messages);
        EXPECT_FALSE(Enabled("Save"));
        EXPECT_EQ(Entry(0), c.exists ? path : dir.filePath("missing.cnc"));
        window->close();
        window.reset();
    }
}

TEST_F(Files, StartUpWithoutARecentFileStaysUntitled)
{
    PutSetting("General", "OpenLastFile", "1");
    Start();
    EXPECT_EQ(Panel(), "Untitled");
    EXPECT_EQ(RecentCaptions(), QStringList{"Recent Files"});
}

TEST_F(Files, ADocumentIsSavedInTheEncodingItWasOpenedIn)
{
    Start();
    const struct { const char* name; QByteArray bytes; QByteArray saved; } cases[] = {
        {"cp1252.cnc", "[caf\xe9 \x80\r\nM30", "[caf\xe9 \x80\r\nM30\r\n[d\xe9j\xe0"},
        {"bom.cnc", "\xef\xbb\xbf[caf\xc3\xa9\r\nM30", "\xef\xbb\xbf[caf\xc3\xa9\r\nM30\r\n[d\xc3\xa9j\xc3\xa0"},
    };
    for (const auto& c : cases) {
        const QString path = dir.filePath(c.name);
        WriteFile(c.name, c.bytes);
        Open(path);
        // The colouring pass runs through the scratch box in between.
        window->mnuToolsReformatText_Click();
        Editor().SetText(Editor().Text() + QString::fromUtf8("\r\n[d\xc3\xa9j\xc3\xa0"));
        window->mnuFileSave_Click();
        EXPECT_EQ(ReadFileBytes(path), c.saved) << c.name;
        // Save As keeps it too.
        dialogAnswers.push_back(path + ".as");
        window->mnuFileSaveAS_Click();
        EXPECT_EQ(ReadFileBytes(path + ".as"), c.saved) << c.name;
    }
    // A new document is UTF-8, whatever was open before.
    MessageBoxRecorder no(platform::vbNo);
    window->mnuFileNew_Click();
    Editor().SetText(QString::fromUtf8("[d\xc3\xa9j\xc3\xa0"));
    dialogAnswers.push_back(dir.filePath("new.cnc"));
    window->mnuFileSave_Click();
    EXPECT_EQ(ReadFileBytes(dir.filePath("new.cnc")), QByteArray("[d\xc3\xa9j\xc3\xa0"));
}

TEST_F(Files, ACharacterTheFileCannotHoldIsReportedAndTheDocumentStaysUnsaved)
{
    Start();
    const QString path = WriteFile("old.cnc", "[caf\xe9");
    Open(path);
    Editor().SetText(QString::fromUtf8("[\xce\xa9"));
    MessageBoxRecorder boxes;
    window->mnuFileSave_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QString::fromUtf8("\xce\xa9"))) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(Enabled("Save"));
    EXPECT_EQ(ReadFileBytes(path), QByteArray("[caf\xe9"));
}

TEST_F(Files, WhatCannotBeAProgramIsRefusedAlsoAtStartUp)
{
    const QString fifo = dir.filePath("pipe.cnc");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath("huge.cnc");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64(3) * 1024 * 1024 * 1024)); // sparse
    }
    const struct { QString path; const char* reason; } cases[] = {
        {"/dev/zero", "not a regular file"},
        {fifo, "not a regular file"},
        {huge, "larger than 16 MB"},
    };
    for (const auto& c : cases) {
        // Opened by hand.
        Start();
        MakeDirty("G1 X5");
        {
            MessageBoxRecorder boxes(platform::vbNo);
            Open(c.path);
            ASSERT_EQ(boxes.shown.size(), 2u) << c.path.toStdString();
            EXPECT_TRUE(boxes.shown[1].text.contains(c.path)) << boxes.shown[1].text.toStdString();
            EXPECT_TRUE(boxes.shown[1].text.contains(c.reason)) << boxes.shown[1].text.toStdString();
            EXPECT_EQ(Editor().Text(), "G1 X5");
        }
        window->close();
        window.reset();

        // As the newest recent file, reopened at start-up: the program starts all the same.
        store = RecordingStore();
        PutSetting("General", "OpenLastFile", "1");
        store.Put("RecentFilePaths", "0", c.path);
        MessageBoxRecorder boxes;
        Start();
        ASSERT_EQ(boxes.shown.size(), 1u) << c.path.toStdString();
        EXPECT_TRUE(boxes.shown[0].text.contains(c.reason)) << boxes.shown[0].text.toStdString();
        EXPECT_EQ(Panel(), "Untitled");
        EXPECT_TRUE(window->isVisible());
        window->close();
        window.reset();
        store = RecordingStore();
    }
}

TEST_F(Files, ASaveTheSystemRefusesReportsItsReasonAndKeepsTheOldFile)
{
    Start();
    const QString path = WriteFile("p.cnc", "G1");
    Open(path);
    Editor().SetText(QString(64 * 1024, QLatin1Char('G')));
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 4096; // as a disk that fills up half way
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    MessageBoxRecorder boxes;
    window->mnuFileSave_Click();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(Enabled("Save"));
    EXPECT_EQ(ReadFileBytes(path), "G1");
}

TEST_F(Files, AFailedSaveAskedForByARecentFileStandsUnderTheApplicationsTitle)
{
    Start();
    const QString other = WriteFile("other.cnc", "G2");
    const QString path = WriteFile("gone/p.cnc", "G1");
    Open(other);
    Open(path);
    Editor().SetText("G1 X2");
    QDir(dir.filePath("gone")).removeRecursively();
    MessageBoxRecorder boxes(platform::vbYes);
    window->mnuFileRecentFiles_Click(1);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_TRUE(boxes.shown[1].text.contains("p.cnc")) << boxes.shown[1].text.toStdString();
    EXPECT_TRUE(boxes.shown[1].title.isEmpty() || boxes.shown[1].title == platform::AppTitle)
        << boxes.shown[1].title.toStdString();
    EXPECT_EQ(Editor().Text(), "G1 X2");
}

TEST_F(Files, TwoWindowsOnOneStoreEachSaveTheirOwnFile)
{
    Start();
    const QString a = WriteFile("a.cnc", "G1 A"), b = WriteFile("b.cnc", "G1 B");
    Open(b);
    Open(a); // this window holds a.cnc; the list is a, b

    SharedState otherState;
    GlobalVariables otherSettings;
    frmMain other(otherState, otherSettings, store);
    other.Form_Load();
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    ASSERT_EQ(other.mnuFileRecentFiles[1]->text(), "&2   b.cnc");
    other.mnuFileRecentFiles[1]->trigger(); // the other window opens b.cnc from its list
    ASSERT_EQ(other.PanelText("FileName"), "b.cnc");
    ASSERT_EQ(Entry(0), b);

    // An edit, a view option toggled (a write to the shared store), and the key.
    const auto saveByKey = [](frmMain& w) {
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            QApplication::setActiveWindow(&w);
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    };
    Editor().SetText("G1 A2");
    window->mnuViewStatusBar->trigger();
    window->mnuViewStatusBar->trigger();
    saveByKey(*window);
    EXPECT_FALSE(Enabled("Save"));
    EXPECT_EQ(ReadFileBytes(a), "G1 A2");
    EXPECT_EQ(ReadFileBytes(b), "G1 B");

    other.TextEditor->SetText("G1 B2");
    saveByKey(other);
    EXPECT_FALSE(other.IsButtonEnabled("Save"));
    EXPECT_EQ(ReadFileBytes(b), "G1 B2");
    EXPECT_EQ(ReadFileBytes(a), "G1 A2");
    EXPECT_EQ(dialogs.size(), 2u) << "only the two opens asked for a file";
    EXPECT_EQ(Entry(0), b);
    EXPECT_EQ(Entry(1), a);

    // This window's menu was built before the other changed the list: its first item still
    // names a.cnc, and opens a.cnc, whose entry goes to the top.
    ASSERT_EQ(window->mnuFileRecentFiles[0]->text(), "&1   a.cnc");
    window->mnuFileRecentFiles[0]->trigger();
    EXPECT_EQ(Editor().Text(), "G1 A2");
    EXPECT_EQ(Panel(), "a.cnc");
    EXPECT_EQ(Entry(0), a);
    EXPECT_EQ(Entry(1), b);
    EXPECT_EQ(Entry(2), "");
    EXPECT_EQ(RecentCaptions(), (QStringList{"&1   a.cnc", "&2   b.cnc"}));

    // The other window opens four more files, and b.cnc drops off the list; this window's
    // second item still names it, opens it, and puts it back on top as a file opened anew.
    for (const char* name : {"c.cnc", "d.cnc", "e.cnc", "f.cnc"}) {
        dialogAnswers.push_back(WriteFile(name, "G1"));
        other.mnuFileOpen_Click();
    }
    ASSERT_EQ(Entry(4), a);
    ASSERT_EQ(window->mnuFileRecentFiles[1]->text(), "&2   b.cnc");
    window->mnuFileRecentFiles[1]->trigger();
    EXPECT_EQ(Editor().Text(), "G1 B2");
    EXPECT_EQ(Panel(), "b.cnc");
    const QStringList expected = {b, dir.filePath("f.cnc"), dir.filePath("e.cnc"), dir.filePath("d.cnc"),
                                  dir.filePath("c.cnc")};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Entry(i), expected[i]) << i;
    EXPECT_EQ(RecentCaptions(), (QStringList{"&1   b.cnc", "&2   f.cnc", "&3   e.cnc", "&4   d.cnc"}));

    MessageBoxRecorder no(platform::vbNo);
    other.close();
}

TEST_F(Files, ARecentItemOpensTheFileItsCaptionNamesAfterTheQuestionSavedAsANewFile)
{
    Start();
    const QString a = WriteFile("a.cnc", "G1 A"), b = WriteFile("b.cnc", "G1 B"), n = dir.filePath("n.cnc");
    Open(b);
    Open(a);
    window->mnuFileNew_Click();
    MakeDirty("G1 N");
    ASSERT_EQ(window->mnuFileRecentFiles[1]->text(), "&2   b.cnc");
    MessageBoxRecorder yes(platform::vbYes);
    dialogAnswers.push_back(n); // the question's Save As puts n.cnc on top: n, a, b
    window->mnuFileRecentFiles[1]->trigger();

    EXPECT_EQ(ReadFileBytes(n), "G1 N");
    EXPECT_EQ(Editor().Text(), "G1 B");
    EXPECT_EQ(Panel(), "b.cnc");
    EXPECT_EQ(RecentCaptions(), (QStringList{"&1   b.cnc", "&2   n.cnc", "&3   a.cnc"}));
    EXPECT_EQ(Entry(3), "");
    EXPECT_FALSE(Enabled("Save"));
    // And Save writes there.
    Editor().SetText("G1 B2");
    window->mnuFileSave_Click();
    EXPECT_EQ(ReadFileBytes(b), "G1 B2");
    EXPECT_EQ(ReadFileBytes(n), "G1 N");
}
