// The file commands of the main window: New, Open, Save, Save As, the save question, the
// recent-file list and reopening the newest file at start-up.
#include "test_editor_window.h"

#include "mainwindow/RecentFiles.h"
#include "platform/AppPaths.h"
#include "platform/widgets/FlexGrid.h"

#include <unistd.h>

namespace {

class Files : public EditorWindow
{
protected:
    // Opens a file through File > Open....
    void Open(const QString& path)
    {
        dialogAnswers.push_back(path);
        window->mnuFileOpen_Click();
    }

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
    EXPECT_EQ(ReadFile(path), "[BILLET X20 Z40\r\nG0 X0");
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
    EXPECT_EQ(ReadFile(path), "M30");
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
        EXPECT_EQ(recent::GetFileName(Entry(i)), QString::number(5 - i) + ".cnc") << i;
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

TEST_F(Files, ASaveToAReadOnlyFolderKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind root";
    Start();
    const QString path = WriteFile("ro/p.cnc", "G1");
    Open(path);
    Editor().SetText("G1 X2");
    QFile::setPermissions(dir.filePath("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    MessageBoxRecorder boxes;
    window->mnuFileSave_Click();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(Enabled("Save"));
    EXPECT_EQ(ReadFile(path), "G1");
    QFile::setPermissions(dir.filePath("ro"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
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
