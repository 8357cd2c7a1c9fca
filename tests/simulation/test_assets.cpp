// The data files beside the executable, and the sound player that plays them.
#include "GraphicsFixture.h"

#include "platform/AppPaths.h"
#include "platform/gui/Sound.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdlib>

namespace {

QByteArray readShipped(const QString& windowsPath)
{
    QFile f(platform::ResolvePath(platform::AppPath() + windowsPath));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

quint32 le32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 le16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

} // namespace

TEST_F(GraphicsTest, DefaultToolPictureIsA67By101TurningToolOnMagenta)
{
    const QByteArray bmp = readShipped("\\tools\\tool.bmp");
    ASSERT_GE(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), "BM");
    EXPECT_EQ(le32(bmp, 18), 67u);
    EXPECT_EQ(le32(bmp, 22), 101u);
    EXPECT_EQ(le16(bmp, 28), 24);

    picture(200, 301);
    MessageBoxRecorder boxes;
    g.LoadTool(platform::AppPath() + "\\tools\\tool.bmp", 67, 101);
    EXPECT_TRUE(boxes.shown.empty());
    const QImage tool = g.ToolDC(0);
    ASSERT_EQ(tool.size(), QSize(67, 101));
    const QRgb magenta = qRgb(255, 0, 255);
    EXPECT_NE(tool.pixel(0, 100), magenta); // the reference point is the tool's
    EXPECT_EQ(tool.pixel(0, 0), magenta);
    EXPECT_EQ(tool.pixel(66, 100), magenta);
    int toolPixels = 0;
    for (int y = 0; y < 101; ++y)
        for (int x = 0; x < 67; ++x)
            toolPixels += tool.pixel(x, y) != magenta;
    EXPECT_GT(toolPixels, 67 * 101 / 3);
    EXPECT_LT(toolPixels, 67 * 101);

    const QByteArray ini = readShipped("\\tools\\tool.ini");
    EXPECT_TRUE(ini.contains("TOOLWIDTH=67\r\n"));
    EXPECT_TRUE(ini.contains("TOOLHEIGHT=101\r\n"));
    EXPECT_TRUE(ini.contains("TOOLNAME="));
}

TEST(Sounds, ShippedSoundsAreSmallLoopableMono16BitPcm)
{
    for (const char* name : {"\\sound\\fast.wav", "\\sound\\SLOW.wav", "\\sound\\stop.wav"}) {
        const QByteArray wav = readShipped(name);
        ASSERT_GT(wav.size(), 44) << name;
        EXPECT_LT(wav.size(), 100000) << name;
        EXPECT_EQ(wav.left(4), "RIFF");
        EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(le16(wav, 20), 1) << name; // PCM
        EXPECT_EQ(le16(wav, 22), 1) << name; // mono
        EXPECT_EQ(le16(wav, 34), 16) << name;
        EXPECT_EQ(wav.mid(36, 4), "data");
        const int count = int(le32(wav, 40) / 2);
        ASSERT_EQ(wav.size(), 44 + count * 2) << name;
        EXPECT_GE(count, int(le32(wav, 24) / 4)) << name; // a quarter second at least
        auto sample = [&](int i) { return int(qint16(le16(wav, 44 + 2 * i))); };
        // Seamless loop: the step from the end back to the start is no larger than a step inside.
        int largestStep = 0, peak = 0;
        for (int i = 1; i < count; ++i) {
            largestStep = std::max(largestStep, std::abs(sample(i) - sample(i - 1)));
            peak = std::max(peak, std::abs(sample(i)));
        }
        EXPECT_LE(std::abs(sample(0) - sample(count - 1)), largestStep) << name;
        EXPECT_GT(peak, 1000) << name;
    }
}

TEST(Sounds, PlayerIsSilentAndQuietAboutMissingFiles)
{
    MessageBoxRecorder boxes;
    QElapsedTimer timer;
    timer.start();
    platform::PlaySound(platform::AppPath() + "\\sound\\none.wav");
    platform::PlaySound(platform::AppPath() + "\\sound\\fast.wav");
    platform::PlaySound(platform::AppPath() + "\\SOUND\\slow.wav"); // found whatever the case
    platform::StopSound();
    EXPECT_LT(timer.elapsed(), 2000); // asynchronous: nothing waits for the sound
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(GraphicsTest, ShippedToolsAreDescribedPicturesWithTheirTipAtTheLowerLeft)
{
    // The list: 21 lines 0 to 20 with CR LF, the default tool on 0 and 1.
    const QByteArray list = readShipped("\\Tools\\ToolList.ini");
    ASSERT_TRUE(list.endsWith("\r\n"));
    const QList<QByteArray> lines = list.chopped(1).split('\n');
    ASSERT_EQ(lines.size(), 21);
    QStringList pictures;
    for (int n = 0; n <= 20; ++n) {
        ASSERT_TRUE(lines[n].endsWith('\r')) << n;
        const QByteArray line = lines[n].chopped(1);
        ASSERT_TRUE(line.startsWith(QByteArray::number(n) + '=')) << line.constData();
        const QString name = QString::fromLatin1(line.mid(line.indexOf('=') + 1));
        if (!name.isEmpty() && !pictures.contains(name))
            pictures << name;
    }
    EXPECT_TRUE(lines[0].startsWith("0=tool.bmp\r"));
    EXPECT_TRUE(lines[1].startsWith("1=tool.bmp\r"));
    EXPECT_EQ(pictures, (QStringList{"tool.bmp", "finish.bmp", "groove.bmp", "boring.bmp", "thread.bmp"}));

    const QRgb magenta = qRgb(255, 0, 255);
    for (const QString& name : pictures) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bmp = readShipped("\\tools\\" + name);
        ASSERT_GE(bmp.size(), 54);
        EXPECT_EQ(bmp.left(2), "BM");
        EXPECT_EQ(le16(bmp, 28), 24);
        const int w = int(le32(bmp, 18)), h = int(le32(bmp, 22));

        // The description gives the picture's own size, and a name and cutting point.
        const QByteArray ini = readShipped("\\tools\\" + name.chopped(3) + "ini");
        EXPECT_TRUE(ini.contains("TOOLWIDTH=" + QByteArray::number(w) + "\r\n"));
        EXPECT_TRUE(ini.contains("TOOLHEIGHT=" + QByteArray::number(h) + "\r\n"));
        EXPECT_TRUE(ini.startsWith("TOOLNAME="));
        EXPECT_TRUE(ini.contains("\r\nCUTTINGPOINT="));
        EXPECT_TRUE(ini.endsWith("\r\n"));
        EXPECT_EQ(ini.count('\n'), ini.count("\r\n"));

        picture(200, 301);
        MessageBoxRecorder boxes;
        g.LoadTool(platform::AppPath() + "\\tools\\" + name, qint16(w), qint16(h));
        EXPECT_TRUE(boxes.shown.empty());
        const QImage tool = g.ToolDC(0);
        ASSERT_EQ(tool.size(), QSize(w, h));
        EXPECT_NE(tool.pixel(0, h - 1), magenta); // the cutting point is the reference point
        int toolPixels = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                toolPixels += tool.pixel(x, y) != magenta;
        EXPECT_GT(toolPixels, w * h / 3);
        EXPECT_LT(toolPixels, w * h); // transparent around the outline
    }
}

#ifdef TURNWISE_MAKE_ASSETS
TEST(ShippedFiles, MakingThemAgainGivesTheSameBytes)
{
    QTemporaryDir again;
    QProcess make;
    make.start(QStringLiteral(TURNWISE_MAKE_ASSETS), {again.path()});
    ASSERT_TRUE(make.waitForFinished(60000));
    ASSERT_EQ(make.exitCode(), 0);
    // Every file it makes, in every folder, is the one beside the executable.
    QStringList made;
    QDirIterator it(again.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(again.path()).relativeFilePath(path);
        SCOPED_TRACE(relative.toStdString());
        QFile fresh(path);
        ASSERT_TRUE(fresh.open(QIODevice::ReadOnly));
        EXPECT_EQ(fresh.readAll(), readShipped("\\" + relative));
        made << relative;
    }
    EXPECT_TRUE(made.contains("tools/ToolList.ini"));
    EXPECT_TRUE(made.contains("tools/groove.bmp"));
    EXPECT_TRUE(made.contains("sound/stop.wav"));
}
#endif
