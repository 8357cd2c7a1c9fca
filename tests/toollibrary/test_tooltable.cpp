// The tool list file and the description files on disk: what is read, what is skipped and
// reported, what is written and what survives a failed write.
#include "TestSupport.h"

#include "platform/AppPaths.h"
#include "program/ProgramFile.h"
#include "toollibrary/ToolTable.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace toollibrary::tooltable;

namespace {

class ToolFilesOnDisk : public ::testing::Test
{
protected:
    QString Put(const QString& relative, const QByteArray& bytes) { return WriteFileBytes(dir.path() + u'/' + relative, bytes); }
    QByteArray Get(const QString& path) { return ReadFileBytes(path, {}); }
    QStringList Entries(const QString& folder) { return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

    QTemporaryDir dir;
};

QByteArray EmptyList()
{
    QByteArray text;
    for (int n = 0; n <= 20; ++n)
        text += QByteArray::number(n) + "=\r\n";
    return text;
}

QStringList NumberItems(std::initializer_list<int> numbers)
{
    QStringList items;
    for (int n : numbers)
        items << QStringLiteral("Tool %1").arg(n);
    return items;
}

} // namespace

TEST_F(ToolFilesOnDisk, ListLinesAreReadByTheirRules)
{
    struct Case
    {
        const char* name;
        QByteArray text;
        QStringList items;
        std::map<int, QString> entries; // the entries the file sets (the others stay "old")
        int firstBadLine;               // 0: read cleanly
    };
    std::map<int, QString> allEmpty;
    for (int n = 0; n <= 20; ++n)
        allEmpty[n] = QString();
    const std::vector<Case> cases = {
        {"empty table", EmptyList(), NumberItems({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}),
         allEmpty, 0},
        {"a second = ends the name", "3=a=b.bmp\r\n", NumberItems({3}), {{3, "a"}}, 0},
        {"the name is not trimmed", "3= Turn.bmp \r\n", NumberItems({3}), {{3, " Turn.bmp "}}, 0},
        {"empty lines add nothing", "\r\n1=a.bmp\r\n\r\n\r\n2=b.bmp\r\n\r\n", NumberItems({1, 2}), {{1, "a.bmp"}, {2, "b.bmp"}}, 0},
        {"blanks around the number", " 2 =x.bmp\r\n\t4\t=y.bmp\r\n", NumberItems({2, 4}), {{2, "x.bmp"}, {4, "y.bmp"}}, 0},
        {"fractions round half to even", "2.5=x.bmp\r\n3.5=y.bmp\r\n", NumberItems({2, 4}), {{2, "x.bmp"}, {4, "y.bmp"}}, 0},
        {"the last of duplicates wins", "1=a.bmp\r\n1=b.bmp\r\n", NumberItems({1, 1}), {{1, "b.bmp"}}, 0},
        {"items follow the lines", "5=a.bmp\r\n0=b.bmp\r\n", NumberItems({5, 0}), {{5, "a.bmp"}, {0, "b.bmp"}}, 0},
        {"line ends of any kind, no end at the last", "1=a.bmp\n2=b.bmp\r3=c.bmp", NumberItems({1, 2, 3}),
         {{1, "a.bmp"}, {2, "b.bmp"}, {3, "c.bmp"}}, 0},
        {"no =", "1=a.bmp\r\nTurn.bmp\r\n2=b.bmp\r\n", NumberItems({1, 2}), {{1, "a.bmp"}, {2, "b.bmp"}}, 2},
        {"not a number", "x=a.bmp\r\n2=b.bmp\r\n", NumberItems({2}), {{2, "b.bmp"}}, 1},
        {"a line of blanks is not empty", "1=a.bmp\r\n   \r\n", NumberItems({1}), {{1, "a.bmp"}}, 2},
        {"above 20", "21=a.bmp\r\n20=b.bmp\r\n", NumberItems({20}), {{20, "b.bmp"}}, 1},
        {"below 0, and only the first bad line named", "0=a.bmp\r\n-1=b.bmp\r\n1e3=c.bmp\r\n", NumberItems({0}), {{0, "a.bmp"}}, 2},
        {"beyond 16 bits", "70000=a.bmp\r\n", {}, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Put(QStringLiteral("ToolList.ini"), c.text);
        ToolFileTable files;
        files.fill(QStringLiteral("old"));
        const ToolListReading reading = ReadToolList(path, files);
        EXPECT_EQ(reading.items, c.items);
        for (int n = 0; n <= 20; ++n) {
            const auto it = c.entries.find(n);
            EXPECT_EQ(files[size_t(n)], it == c.entries.end() ? QStringLiteral("old") : it->second) << "tool " << n;
        }
        if (c.firstBadLine == 0) {
            EXPECT_TRUE(reading.error.isEmpty()) << reading.error.toStdString();
        } else {
            // One message, naming the file and the first line skipped.
            EXPECT_TRUE(reading.error.contains(QDir::toNativeSeparators(path))) << reading.error.toStdString();
            EXPECT_TRUE(reading.error.contains(QStringLiteral("line %1:").arg(c.firstBadLine))) << reading.error.toStdString();
        }
    }
}

TEST_F(ToolFilesOnDisk, EachNameIsDecodedOnItsOwn)
{
    struct Case
    {
        const char* name;
        QByteArray text;
        std::map<int, QString> entries;
    };
    const std::vector<Case> cases = {
        {"UTF-8 beside Windows-1252", "1=fr\xc3\xa4s.bmp\r\n2=dr\xe9h.bmp\r\n3=\xe4\xf6.bmp\r\n",
         {{1, "fr\u00e4s.bmp"}, {2, "dr\u00e9h.bmp"}, {3, "\u00e4\u00f6.bmp"}}},
        {"the code page, not Latin-1", "4=\x80uro\x96.bmp\r\n", {{4, "\u20acuro\u2013.bmp"}}},
        {"what follows a second = does not count", "5=fr\xc3\xa4s.bmp=\xff\r\n", {{5, "fr\u00e4s.bmp"}}},
        {"a byte-order mark before a line in the code page", "\xef\xbb\xbf" "0=a.bmp\r\n6=dr\xe9h.bmp\r\n",
         {{0, "a.bmp"}, {6, "dr\u00e9h.bmp"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Put(QStringLiteral("ToolList.ini"), c.text);
        ToolFileTable files;
        const ToolListReading reading = ReadToolList(path, files);
        EXPECT_TRUE(reading.error.isEmpty()) << reading.error.toStdString();
        EXPECT_EQ(reading.items.size(), qsizetype(c.entries.size()));
        for (const auto& [n, name] : c.entries)
            EXPECT_EQ(files[size_t(n)], name) << "tool " << n;
    }

    // The descriptions are read the same way.
    const QString ini = Put(QStringLiteral("Turn.ini"), "TOOLNAME=Dr\xc3\xa4hen\r\nCUTTINGPOINT=Schneide \xe0 gauche\r\n");
    const ToolDescription d = ReadToolDescription(ini);
    EXPECT_EQ(d.keys.value("TOOLNAME"), "Dr\u00e4hen");
    EXPECT_EQ(d.keys.value("CUTTINGPOINT"), "Schneide \u00e0 gauche");
}

// A program file is decoded as a whole: one byte that is no UTF-8 makes the whole file
// Windows-1252, and a byte-order mark stays text then. The tool list decodes line by line.
TEST_F(ToolFilesOnDisk, TheListIsDecodedLineByLineWhereAProgramFileIsDecodedWhole)
{
    struct Case
    {
        const char* name;
        QByteArray text;
        QString tool1;
        QString asProgram;
    };
    const std::vector<Case> cases = {
        {"UTF-8 beside Windows-1252", "1=fr\xc3\xa4s.bmp\r\n2=dr\xe9h.bmp\r\n", "fr\u00e4s.bmp",
         "1=fr\u00c3\u00a4s.bmp\r\n2=dr\u00e9h.bmp\r\n"},
        {"a byte-order mark before a line in the code page", "\xef\xbb\xbf" "1=a.bmp\r\n2=dr\xe9h.bmp\r\n", "a.bmp",
         "\u00ef\u00bb\u00bf" "1=a.bmp\r\n2=dr\u00e9h.bmp\r\n"},
        {"all UTF-8", "\xef\xbb\xbf" "1=fr\xc3\xa4s.bmp\r\n", "fr\u00e4s.bmp", "1=fr\u00e4s.bmp\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ToolFileTable files;
        ReadToolList(Put(QStringLiteral("ToolList.ini"), c.text), files);
        EXPECT_EQ(files[1], c.tool1);
        EXPECT_EQ(program::DecodeProgramText(c.text), c.asProgram);
    }
}

TEST_F(ToolFilesOnDisk, AListThatCannotBeReadKeepsTheTableAndSaysWhy)
{
    QDir().mkpath(dir.path() + "/folder/ToolList.ini");
    struct Case
    {
        QString path;
        const char* why;
    };
    for (const Case& c : {Case{dir.path() + "/missing/ToolList.ini", "does not exist"},
                          Case{dir.path() + "/folder/ToolList.ini", "not a file"}}) {
        ToolFileTable files;
        files[4] = QStringLiteral("kept.bmp");
        const ToolListReading reading = ReadToolList(c.path, files);
        EXPECT_TRUE(reading.items.isEmpty());
        EXPECT_EQ(files[4], "kept.bmp");
        EXPECT_TRUE(reading.error.contains(QDir::toNativeSeparators(c.path))) << reading.error.toStdString();
        EXPECT_TRUE(reading.error.contains(QLatin1String(c.why))) << reading.error.toStdString();
    }
}

TEST_F(ToolFilesOnDisk, WritingGivesAll21LinesInOrderAndReadsBack)
{
    // A messy file: other order, LF ends, empty lines, a duplicate.
    const QString path = Put(QStringLiteral("tools/ToolList.ini"), "5=e.bmp\n\n0=a.bmp\n5=f.bmp\n");
    ToolFileTable files;
    ReadToolList(path, files);
    files[3] = QStringLiteral(" Turn.bmp");
    files[20] = QStringLiteral("Gr\u00fcn.bmp");
    ASSERT_EQ(WriteToolList(path, files), QString());

    QByteArray expected;
    for (int n = 0; n <= 20; ++n)
        expected += QByteArray::number(n) + '=' +
                    (n == 0 ? "a.bmp" : n == 3 ? " Turn.bmp" : n == 5 ? "f.bmp" : n == 20 ? "Gr\xc3\xbcn.bmp" : "") + "\r\n";
    EXPECT_EQ(Get(path), expected);
    EXPECT_EQ(Entries(dir.path() + "/tools"), QStringList{"ToolList.ini"}); // no temporary file left

    ToolFileTable again;
    const ToolListReading reading = ReadToolList(path, again);
    EXPECT_EQ(again, files);
    EXPECT_EQ(reading.items.size(), 21);
    EXPECT_TRUE(reading.error.isEmpty());
}

TEST_F(ToolFilesOnDisk, WritingMakesAMissingFolder)
{
    const QString path = dir.path() + "/new/tools/ToolList.ini";
    ASSERT_EQ(WriteToolList(path, ToolFileTable{}), QString());
    EXPECT_EQ(Get(path), EmptyList());
}

TEST_F(ToolFilesOnDisk, AFailedWriteSaysWhyAndLeavesWhatWasThere)
{
    // A folder where the file should be, and a file where the folder should be.
    QDir().mkpath(dir.path() + "/a/ToolList.ini");
    Put(QStringLiteral("a/ToolList.ini/keep.txt"), "kept");
    Put(QStringLiteral("b/tools"), "a file");
    ToolFileTable files;
    files[1] = QStringLiteral("x.bmp");
    for (const QString& path : {dir.path() + "/a/ToolList.ini", dir.path() + "/b/tools/ToolList.ini"}) {
        SCOPED_TRACE(path.toStdString());
        const QStringList before = Entries(QFileInfo(path).absolutePath());
        EXPECT_FALSE(WriteToolList(path, files).isEmpty());
        EXPECT_EQ(Entries(QFileInfo(path).absolutePath()), before);
    }
    EXPECT_EQ(Get(dir.path() + "/a/ToolList.ini/keep.txt"), "kept");
    EXPECT_EQ(Get(dir.path() + "/b/tools"), "a file");
}

TEST_F(ToolFilesOnDisk, DescriptionKeysFollowTheirRules)
{
    const QString path = Put(QStringLiteral("Turn.ini"), "ToolName=  Boring bar  \r\n"
                                                          "toolwidth=67\r\n"
                                                          "TOOLWIDTH =99\r\n"   // a blank makes it no key
                                                          "\r\n"
                                                          "TOOLHEIGHT=90\r\n"
                                                          "TOOLHEIGHT= 101 =ignored\r\n" // the last wins, up to a second =
                                                          "no key here\r\n"
                                                          "COLOUR=red\r\n");
    const ToolDescription d = ReadToolDescription(path);
    EXPECT_TRUE(d.found);
    EXPECT_EQ(d.keys.value("TOOLNAME"), "Boring bar");
    EXPECT_EQ(d.keys.value("TOOLWIDTH"), "67");
    EXPECT_EQ(d.keys.value("TOOLHEIGHT"), "101");
    EXPECT_FALSE(d.keys.contains("CUTTINGPOINT")); // simply not delivered
    EXPECT_EQ(SizeValue(d, "TOOLWIDTH"), std::optional<qint16>(67));
    EXPECT_EQ(SizeValue(d, "TOOLHEIGHT"), std::optional<qint16>(101));
    EXPECT_EQ(SizeValue(d, "CUTTINGPOINT"), std::nullopt);

    EXPECT_FALSE(ReadToolDescription(dir.path() + "/none.ini").found);
}

TEST_F(ToolFilesOnDisk, SizeValuesAreWholeNumbersOrNothing)
{
    const std::vector<std::pair<QString, std::optional<qint16>>> cases = {
        {" 67 ", 67}, {"2.5", 2}, {"3.5", 4}, {"-4", -4}, {"", std::nullopt}, {"wide", std::nullopt}, {"40000", std::nullopt}};
    for (const auto& [text, expected] : cases) {
        ToolDescription d;
        d.keys["TOOLWIDTH"] = text;
        EXPECT_EQ(SizeValue(d, "TOOLWIDTH"), expected) << text.toStdString();
    }
}

TEST_F(ToolFilesOnDisk, DescriptionAndListAreFoundWithoutRegardToCase)
{
    Put(QStringLiteral("tools/TURN.INI"), "TOOLNAME=T\r\n");
    EXPECT_EQ(DescriptionPath(dir.path() + "/tools/Turn.bmp"), dir.path() + "/tools/TURN.INI");
    // The last three characters are replaced, whatever they are.
    EXPECT_EQ(DescriptionPath(dir.path() + "/tools/Turn.xyz"), dir.path() + "/tools/TURN.INI");
    EXPECT_EQ(DescriptionPath(dir.path() + "/tools/Other.bmp"), dir.path() + "/tools/Other.ini");

    {
        const platform::ScopedHook redirected(platform::SetAppPathForTesting, dir.path());
        EXPECT_EQ(ToolsFolder(), dir.path() + "/tools");
        EXPECT_EQ(ToolListPath(), dir.path() + "/tools/ToolList.ini"); // made beside the pictures
        Put(QStringLiteral("tools/toollist.INI"), "");
        EXPECT_EQ(ToolListPath(), dir.path() + "/tools/toollist.INI");
        EXPECT_EQ(ToolPicturePath("turn.BMP"), dir.path() + "/tools/turn.BMP");
    }

    QTemporaryDir other;
    const platform::ScopedHook redirected(platform::SetAppPathForTesting, other.path());
    // No tools folder yet: the list goes into "tools", the folder the pictures are taken from.
    EXPECT_EQ(ToolListPath(), other.path() + "/tools/ToolList.ini");
    QDir().mkpath(other.path() + "/Tools");
    EXPECT_EQ(ToolsFolder(), other.path() + "/Tools");
    EXPECT_EQ(ToolListPath(), other.path() + "/Tools/ToolList.ini");
}

TEST_F(ToolFilesOnDisk, PicturesAreTheBmpFilesSortedWithoutRegardToCase)
{
    for (const char* name : {"b.bmp", "A.BMP", "a.bmp", "c.Bmp", "turn.ini", "bmp", "x.bmp.txt", ".hidden.bmp"})
        Put(QStringLiteral("tools/") + QLatin1String(name), "x");
    QDir().mkpath(dir.path() + "/tools/folder.bmp");
    EXPECT_EQ(ToolPictures(dir.path() + "/tools"), (QStringList{"A.BMP", "a.bmp", "b.bmp", "c.Bmp"}));
    EXPECT_EQ(ToolPictures(dir.path() + "/none"), QStringList{});
}
