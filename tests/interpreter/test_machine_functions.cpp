#include "interpreter/MCodes.h"
#include "interpreter/ModCNC.h"

#include "FakeInterpreterHost.h"
#include "TestSupport.h"
#include "platform/AppPaths.h"
#include "shared/SharedState.h"
#include "toollibrary/ToolTable.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <algorithm>

namespace {

struct MachineFunctions : ::testing::Test
{
    SharedState state;
    FakeInterpreterHost host{state};
    ModCNC cnc{state, host};
    MessageBoxRecorder boxes;

    // The events of one block, without the motion that follows every block.
    QStringList Run(const QString& block)
    {
        host.events.clear();
        cnc.ExecuteBlock(block);
        return host.events;
    }
};

} // namespace

TEST_F(MachineFunctions, EveryCodeOfTheTableInItsOrder)
{
    struct Case
    {
        const char* block;
        QStringList events;
    };
    const Case cases[] = {
        {"M00", {"Text Program Stop", "Show 0 2000", "Pause"}},
        {"M2", {"Text Program End", "Show 0 2000", "Stop"}},
        {"M03 S1200", {"Text Spindle Start CW", "Show 0 2000", "SpindleSpeed=S 1200", "SpindleDirection=CW"}},
        {"S-40 M4", {"Text Spindle Start CCW", "Show 0 2000", "SpindleSpeed=S -40", "SpindleDirection=CCW"}},
        {"S900 M05", {"Text Spindle Stop", "Show 0 2000", "SpindleSpeed=S 0", "SpindleDirection="}},
        {"M08", {"Coolant=Coolant: ON", "Text Coolant: ON", "Show 0 2000"}},
        {"M09", {"Coolant=Coolant: OFF", "Text Coolant: OFF", "Show 0 2000"}},
        {"M10", {"Text Chuck OPEN", "Show 1 500"}},
        {"M11", {"Text Chuck CLOSE", "Show 1 500"}},
        {"S700 M13", {"SpindleSpeed=S 700", "SpindleDirection=CW", "Coolant=Coolant: ON",
                      "Text Spindle Start CW, Coolant ON", "Show 0 2000"}},
        {"S700 M14", {"SpindleSpeed=S 700", "SpindleDirection=CCW", "Coolant=Coolant: ON",
                      "Text Spindle Start CCW, Coolant ON", "Show 0 2000"}},
        {"M25", {"Text Quill Extend", "Show 0 2000"}},
        {"M26", {"Text Quill Retract", "Show 0 2000"}},
        {"M30", {"Coolant=Coolant: OFF", "Text Spindle Stop", "Stop", "Text Program end and reset", "Show 0 2000"}},
        {"M38", {"Text Door OPEN", "Show 1 500"}},
        {"M39", {"Text Door CLOSE", "Show 1 500"}},
        // Read as written and rounded half to even.
        {"M3.5", {"Text Spindle Start CCW", "Show 0 2000", "SpindleSpeed=S 0", "SpindleDirection=CCW"}},
        {"M2.5", {"Text Program End", "Show 0 2000", "Stop"}},
        {"M7", {}}, {"M12", {}}, {"M40", {}}, {"M99", {}}, {"M1", {}}, {"M-1", {}},
    };
    for (const Case& c : cases) {
        state = SharedState();
        EXPECT_EQ(Run(c.block), c.events) << c.block;
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MachineFunctions, ExactlyTheListedCodesDoSomething)
{
    for (int m = -5; m <= 120; ++m) {
        state = SharedState();
        const bool listed = std::find(interpreter::mcodes::MachineFunctionCodes.begin(), interpreter::mcodes::MachineFunctionCodes.end(), m) != interpreter::mcodes::MachineFunctionCodes.end();
        if (m == 6)
            continue; // the tool change is tried below, with a tools folder
        EXPECT_EQ(!Run(QStringLiteral("M%1").arg(m)).isEmpty(), listed) << m;
    }
}

TEST_F(MachineFunctions, SpindleSpeedCarriesOverAndM05ZeroesIt)
{
    Run("M03"); // no S value yet in this program
    EXPECT_EQ(host.panels["SpindleSpeed"], "S 0");
    Run("S1500");
    Run("M3");
    EXPECT_EQ(host.panels["SpindleSpeed"], "S 1500");
    Run("M05");
    EXPECT_EQ(state.Cnc.SpindleSpeed, 0);
    EXPECT_EQ(host.panels["SpindleDirection"], "");
    Run("M04");
    EXPECT_EQ(host.panels["SpindleSpeed"], "S 0");
}

TEST_F(MachineFunctions, PauseAndStopLetTheRestOfTheBlockRun)
{
    state.Cnc.CurrentX = 10;
    host.events.clear();
    cnc.ExecuteBlock("G01 M00 X40 Z-5 F0.2");
    EXPECT_EQ(host.calls, QStringList{"Pause"});
    EXPECT_EQ(state.Cnc.TargetX, 200);
    EXPECT_EQ(host.panels["FeedRate"], "Feed: 0.2");
    ASSERT_EQ(host.paths.size(), 1u); // the motion still starts

    // M30 leaves the spindle panels alone.
    host.panels["SpindleSpeed"] = "S 800";
    host.panels["SpindleDirection"] = "CW";
    Run("M30");
    EXPECT_EQ(host.panels["SpindleSpeed"], "S 800");
    EXPECT_EQ(host.panels["SpindleDirection"], "CW");
}

namespace {

// A tools folder beside a stand-in program folder, and a tool list read the way the Tool
// Library reads it.
struct ToolChange : MachineFunctions
{
    QTemporaryDir dir;
    const platform::ScopedHook<QString> appPath{platform::SetAppPathForTesting, dir.path()};

    ToolChange()
    {
        QDir(dir.path()).mkpath("Tools");
        host.onGetToolList = [this] { toollibrary::tooltable::ReadToolList(toollibrary::tooltable::ToolListPath(), state.ToolFiles); };
    }

    QString ToolsPath(const QString& name) const { return dir.path() + "/Tools/" + name; }

    void Write(const QString& name, const QByteArray& bytes) const { WriteFileBytes(ToolsPath(name), bytes); }
    void Picture(const QString& name, int w, int h) const
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::magenta);
        ASSERT_TRUE(img.save(ToolsPath(name), "BMP"));
    }
};

} // namespace

TEST_F(ToolChange, LoadsThePictureTheListOnDiskNamesNow)
{
    Picture("Groove.bmp", 30, 80);
    Write("Groove.ini", "TOOLNAME=Grooving tool\r\ntoolwidth=30\r\nTOOLHEIGHT = 5\r\nTOOLHEIGHT= 80 \r\n");
    Picture("turn.BMP", 60, 90);
    Write("turn.ini", "TOOLWIDTH=60\r\nTOOLHEIGHT=90\r\n");
    Write("ToolList.ini", "2=groove.bmp\r\n");

    EXPECT_EQ(Run("T2 M06"), (QStringList{"Text Tool 2 loaded", "Show 0 2000", "GetToolList",
                                          "ChangeTool " + ToolsPath("Groove.bmp") + " 30 80"}));
    // The list changed on disk since the last tool change: the next one reads it again.
    Write("ToolList.ini", "2=TURN.bmp\r\n");
    EXPECT_EQ(Run("M06 T2").last(), "ChangeTool " + ToolsPath("turn.BMP") + " 60 90");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(state.Cnc.CurrentX, 0); // the tool stays where it is
}

TEST_F(ToolChange, AToolThatCannotBeLoadedIsNamedAndTheCurrentOneStays)
{
    Picture("ok.bmp", 10, 10);
    Write("ok.ini", "TOOLWIDTH=10\r\nTOOLHEIGHT=10\r\n");
    Picture("nosize.bmp", 10, 10);
    Write("nosize.ini", "TOOLNAME=No size\r\nTOOLWIDTH=10\r\n");
    Picture("nodesc.bmp", 10, 10);
    Write("text.bmp", "not a picture");
    // A header that promises a picture too large to hold.
    {
        QByteArray huge("BM");
        auto put = [&huge](quint32 v, int bytes) {
            for (int i = 0; i < bytes; ++i)
                huge.append(char((v >> (8 * i)) & 0xFF));
        };
        const quint32 side = 10000, pixels = 3u * side * side;
        for (quint32 v : {54 + pixels, 0u, 54u, 40u, side, side})
            put(v, 4);
        put(1, 2); // planes
        put(24, 2); // bits per pixel
        for (quint32 v : {0u, pixels, 2835u, 2835u, 0u, 0u})
            put(v, 4);
        huge.append(QByteArray(64, '\0'));
        Write("huge.bmp", huge);
        Write("huge.ini", "TOOLWIDTH=10\r\nTOOLHEIGHT=10\r\n");
    }
    Write("ToolList.ini", "1=\r\n2=missing.bmp\r\n3=text.bmp\r\n4=nosize.bmp\r\n5=nodesc.bmp\r\n6=ok.bmp\r\n7=huge.bmp\r\n");

    struct Case
    {
        const char* block;
        const char* says;
    };
    const Case cases[] = {
        {"T21 M06", "Tool 21 cannot be loaded: tool numbers run from 0 to 20 in the tool list"},
        {"T-1 M06", "Tool -1 cannot be loaded: tool numbers run from 0 to 20 in the tool list"},
        {"T1 M06", "Tool 1 cannot be loaded: the tool list"},
        {"T2 M06", "missing.bmp is missing or is not a readable bitmap."},
        {"T3 M06", "text.bmp is missing or is not a readable bitmap."},
        {"T4 M06", "nosize.ini gives no width and height"},
        {"T5 M06", "nodesc.ini gives no width and height"},
        {"T7 M06", "huge.bmp is too large to load."},
    };
    for (const Case& c : cases) {
        boxes.shown.clear();
        const QStringList events = Run(c.block);
        ASSERT_EQ(boxes.shown.size(), 1u) << c.block;
        EXPECT_TRUE(boxes.shown[0].text.contains(QString::fromUtf8(c.says))) << boxes.shown[0].text.toStdString();
        EXPECT_EQ(boxes.shown[0].flags, platform::vbCritical);
        EXPECT_TRUE(events.filter("ChangeTool").isEmpty()) << c.block;
        EXPECT_TRUE(events.first().endsWith(" loaded")) << c.block; // the notice comes first
    }
    boxes.shown.clear();
    EXPECT_EQ(Run("T6 M06").last(), "ChangeTool " + ToolsPath("ok.bmp") + " 10 10");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ToolChange, APictureNameThatLeadsOutOfTheToolsFolderIsRefused)
{
    // Real pictures, with their sizes, wherever these names would lead.
    for (const QString& at : {dir.path() + "/outside", ToolsPath("sub/x")}) {
        QDir().mkpath(QFileInfo(at).absolutePath());
        QImage img(10, 10, QImage::Format_RGB32);
        img.fill(Qt::magenta);
        ASSERT_TRUE(img.save(at + ".bmp", "BMP"));
        WriteFileBytes(at + ".ini", "TOOLWIDTH=10\r\nTOOLHEIGHT=10\r\n");
    }
    Picture("ok.bmp", 10, 10);
    Write("ok.ini", "TOOLWIDTH=10\r\nTOOLHEIGHT=10\r\n");
    Write("ToolList.ini", "1=../outside.bmp\r\n2=sub/x.bmp\r\n3=sub\\x.bmp\r\n4=..\\outside.bmp\r\n5=ok.bmp\r\n");
    for (const char* block : {"T1 M06", "T2 M06", "T3 M06", "T4 M06"}) {
        SCOPED_TRACE(block);
        boxes.shown.clear();
        const QStringList events = Run(block);
        EXPECT_TRUE(events.filter("ChangeTool").isEmpty());
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].text.contains(" cannot be loaded: the tool list ")) << boxes.shown[0].text.toStdString();
        EXPECT_TRUE(boxes.shown[0].text.contains("only from the tools folder")) << boxes.shown[0].text.toStdString();
        EXPECT_EQ(boxes.shown[0].flags, platform::vbCritical);
    }
    boxes.shown.clear();
    EXPECT_EQ(Run("T5 M06").last(), "ChangeTool " + ToolsPath("ok.bmp") + " 10 10");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ToolChange, ABitmapShorterThanItsHeaderPromisesIsRefusedAndOneThatEndsExactlyLoads)
{
    Picture("whole.bmp", 67, 101);
    QFile whole(ToolsPath("whole.bmp"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    ASSERT_EQ(bytes.size(), 54 + 101 * 204); // header, then 101 rows of 201 bytes padded to 204
    Write("cut.bmp", bytes.left(200));
    Write("short.bmp", bytes.left(bytes.size() - 1));
    for (const char* name : {"whole", "cut", "short"})
        Write(QStringLiteral("%1.ini").arg(name), "TOOLWIDTH=67\r\nTOOLHEIGHT=101\r\n");
    Write("ToolList.ini", "1=whole.bmp\r\n2=cut.bmp\r\n3=short.bmp\r\n");

    for (const char* block : {"T2 M06", "T3 M06"}) {
        boxes.shown.clear();
        const QStringList events = Run(block);
        ASSERT_EQ(boxes.shown.size(), 1u) << block;
        EXPECT_TRUE(boxes.shown[0].text.contains(" is missing or is not a readable bitmap.")) << block;
        EXPECT_TRUE(events.filter("ChangeTool").isEmpty()) << block;
    }
    boxes.shown.clear();
    EXPECT_EQ(Run("T1 M06").last(), "ChangeTool " + ToolsPath("whole.bmp") + " 67 101");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ToolChange, APictureBeyondTheReadersAllocationLimitIsNamedTooLarge)
{
    Picture("wide.bmp", 1000, 300); // 1.2 MB as the reader holds it
    Write("wide.ini", "TOOLWIDTH=67\r\nTOOLHEIGHT=101\r\n");
    Write("ToolList.ini", "4=wide.bmp\r\n");
    const int limit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(1);
    const QStringList events = Run("T4 M06");
    QImageReader::setAllocationLimit(limit);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Tool 4 cannot be loaded: its picture " +
                                       QDir::toNativeSeparators(ToolsPath("wide.bmp")) +
                                       " is too large to load. The current tool stays.");
    EXPECT_TRUE(events.filter("ChangeTool").isEmpty());
    boxes.shown.clear();
    EXPECT_EQ(Run("T4 M06").last(), "ChangeTool " + ToolsPath("wide.bmp") + " 67 101"); // within the usual limit
}

TEST_F(ToolChange, AVeryLongNameIsQuotedByItsBeginning)
{
    const QString name = QString(3000, u'n') + ".bmp";
    Write("ToolList.ini", "5=" + name.toUtf8() + "\r\n");
    Run("T5 M06");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Tool 5 cannot be loaded: its picture " +
                                       QDir::toNativeSeparators(dir.path() + "/Tools/") + QString(100, u'n') +
                                       QChar(0x2026) + " is missing or is not a readable bitmap. The current tool stays.");
}
