#include "mainwindow/RecentFiles.h"

#include "TestSupport.h"
#include "settings/GlobalVariables.h"

#include <gtest/gtest.h>

using namespace mainwindow::recent;

namespace {

QStringList entries(RecordingStore& s)
{
    QStringList out;
    for (int i = 0; i < 5; ++i)
        out << RecentFileEntry(s, i);
    return out;
}

void put(RecordingStore& s, const QStringList& paths)
{
    for (int i = 0; i < paths.size(); ++i)
        s.Put(RecentFilesSection, QString::number(i), paths[i]);
}

} // namespace

TEST(GetFileName, PartAfterTheLastSeparator)
{
    const struct { const char* path; const char* name; } cases[] = {
        {"C:\\parts\\a.cnc", "a.cnc"},
        {"/home/u/parts/b.cnc", "b.cnc"},
        {"C:\\parts/mixed\\c.cnc", "c.cnc"},
        {"/a\\b/d.cnc", "d.cnc"},
        {"plain.cnc", "plain.cnc"},
        {"/parts/", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetFileName(c.path), c.name) << c.path;
}

TEST(RecentFiles, CaptionsEndAtTheFirstEmptyEntry)
{
    RecordingStore s;
    EXPECT_EQ(RecentFileCaptions(s), QStringList());
    put(s, {"/p/a.cnc", "/p/b.cnc", "", "/p/d.cnc"});
    EXPECT_EQ(RecentFileCaptions(s), (QStringList{"&1   a.cnc", "&2   b.cnc"}));
    put(s, {"/p/a.cnc", "/p/b.cnc", "/p/c.cnc", "/p/d.cnc", "/p/e.cnc"});
    EXPECT_EQ(RecentFileCaptions(s), (QStringList{"&1   a.cnc", "&2   b.cnc", "&3   c.cnc", "&4   d.cnc"}));
    put(s, {""});
    EXPECT_EQ(RecentFileCaptions(s), QStringList());
}

TEST(RecentFiles, PushingOntoAnEmptyListMovesNothing)
{
    RecordingStore s;
    PushRecentFile(s, "/p/a.cnc", 1, true);
    EXPECT_EQ(s.writes, (std::vector<RecordingStore::Write>{{"RecentFilePaths", "0", "/p/a.cnc"}}));
    EXPECT_EQ(s.appNames, QStringList(s.appNames.size(), settings::AppName));
}

TEST(RecentFiles, FiveOpenedFilesStoreFiveEntriesAndTheSixthDropsTheOldest)
{
    RecordingStore s;
    const QStringList files = {"/p/1.cnc", "/p/2.cnc", "/p/3.cnc", "/p/4.cnc", "/p/5.cnc", "/p/6.cnc"};
    for (const QString& f : files) {
        const int shown = std::max<int>(1, int(RecentFileCaptions(s).size()));
        PushRecentFile(s, f, shown, RecentFileCaptions(s).isEmpty());
    }
    EXPECT_EQ(entries(s), (QStringList{"/p/6.cnc", "/p/5.cnc", "/p/4.cnc", "/p/3.cnc", "/p/2.cnc"}));
}

TEST(RecentFiles, WithFourShownTheShiftWritesFromTheLastDown)
{
    RecordingStore s;
    put(s, {"a", "b", "c", "d", "e"});
    PushRecentFile(s, "n", 4, false);
    const std::vector<RecordingStore::Write> expected = {
        {"RecentFilePaths", "4", "d"}, {"RecentFilePaths", "3", "c"}, {"RecentFilePaths", "2", "b"},
        {"RecentFilePaths", "1", "a"}, {"RecentFilePaths", "0", "n"}};
    EXPECT_EQ(s.writes, expected);
}

TEST(RecentFiles, ReopeningAListedFileListsItTwice)
{
    RecordingStore s;
    put(s, {"/p/c.cnc", "/p/b.cnc", "/p/a.cnc"});
    PushRecentFile(s, "/p/b.cnc", 3, false); // opened again through Open...
    EXPECT_EQ(entries(s), (QStringList{"/p/b.cnc", "/p/c.cnc", "/p/b.cnc", "/p/a.cnc", ""}));
    EXPECT_EQ(RecentFileCaptions(s)[0], "&1   b.cnc");
    EXPECT_EQ(RecentFileCaptions(s)[2], "&3   b.cnc");
}

TEST(RecentFiles, RaisingAnEntry)
{
    const struct { int index; QStringList after; } cases[] = {
        {2, {"c", "a", "b", "d", "e"}}, // item 3: entries 0 to 1 move to 1 to 2, entry 4 unchanged
        {3, {"d", "a", "b", "c", "e"}},
        {0, {"a", "b", "c", "d", "e"}},
    };
    for (const auto& c : cases) {
        RecordingStore s;
        put(s, {"a", "b", "c", "d", "e"});
        RaiseRecentFile(s, c.index);
        EXPECT_EQ(entries(s), c.after) << c.index;
    }
}
