#include "GraphicsFixture.h"

#include <QFile>
#include <QImageReader>
#include <set>
#include <utility>

namespace {
QRgb rgbOf(qint32 win)
{
    const QColor c = platform::FromWinRgb(win);
    return qRgb(c.red(), c.green(), c.blue());
}
} // namespace

TEST_F(GraphicsTest, InitSimBufferSizesFillsAndSetsTheAxisRow)
{
    struct Case { int height; int axisRow; };
    for (const Case c : {Case{301, 150}, Case{300, 150}, Case{1, 0}, Case{2, 1}}) {
        picture(7, c.height);
        EXPECT_EQ(g.AxisRow(), c.axisRow) << c.height;
        EXPECT_EQ(g.SimDC().size(), QSize(7, c.height));
        EXPECT_EQ(px(0, 0), Back);
        EXPECT_EQ(px(6, c.height - 1), Back);
    }
    // Colours are stored red-low; the buffer must hold the colour itself.
    EXPECT_EQ(g.SimDC().pixel(3, 0), qRgb(250, 240, 5));
}

TEST_F(GraphicsTest, PixelsOutsideThePictureReadAsNoColour)
{
    picture(5, 4);
    for (auto [x, y] : {std::pair{-1, 0}, {5, 0}, {0, -1}, {0, 4}})
        EXPECT_FALSE(g.GetPixel(x, y).has_value()) << x << "," << y;
    EXPECT_EQ(g.GetPixel(4, 3), Back);
}

TEST_F(GraphicsTest, BilletIsCentredOnTheAxisWithHalfTheDiameterRoundedToEven)
{
    struct Case { qint16 diameter; qint16 radius; };
    for (const Case c : {Case{25, 12}, Case{35, 18}, Case{24, 12}, Case{0, 0}}) {
        picture(30, 61); // axis row 30
        g.DrawBillet(20, c.diameter);
        EXPECT_EQ(state.BilletLength, 20);
        ASSERT_EQ(state.WorkPieceProfile.size(), 21u);
        for (const ProfileEntry& e : state.WorkPieceProfile) {
            EXPECT_EQ(e.Radius, c.radius);
            EXPECT_EQ(e.Taper, 0);
        }
        for (int y = 0; y < 61; ++y) {
            const bool billet = y >= 30 - c.radius && y <= 30 + c.radius - 1;
            EXPECT_EQ(px(0, y), billet ? Work : Back) << c.diameter << " row " << y;
            EXPECT_EQ(px(19, y), billet ? Work : Back) << c.diameter << " row " << y;
            EXPECT_EQ(px(20, y), Back) << c.diameter << " row " << y;
        }
    }
}

TEST_F(GraphicsTest, LoadToolBuildsToolCutStampAndFlippedStamp)
{
    picture(10, 10);
    g.LoadTool(smallTool(), 4, 3);
    EXPECT_EQ(state.ToolWidth, 4);
    EXPECT_EQ(state.ToolHeight, 3);
    const QImage tool = g.ToolDC(0), cut = g.ToolDC(1), flipped = g.ToolDC(2);
    ASSERT_EQ(tool.size(), QSize(4, 3));
    const char* pattern[] = {"MTTM", "TTTM", "TTMM"};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool isTool = pattern[y][x] == 'T';
            EXPECT_EQ(tool.pixel(x, y), isTool ? rgbOf(ToolColour) : qRgb(255, 0, 255));
            EXPECT_EQ(cut.pixel(x, y), isTool ? rgbOf(Back) : qRgb(0, 0, 0));
            EXPECT_EQ(flipped.pixel(x, 2 - y), cut.pixel(x, y));
        }
}

TEST_F(GraphicsTest, FirstDrawToolOfARunChangesOnlyTheToolPicturesArea)
{
    picture(40, 31);
    g.DrawBillet(20, 10);
    g.LoadTool(smallTool(), 4, 3);
    const QImage before = g.SimDC().copy();
    g.DrawTool(10, 8); // left 30, top 15 - 8 - 3 = 4, clear of the billet
    EXPECT_EQ(g.ToolPrevX, 30);
    EXPECT_EQ(g.ToolPrevY, 4);
    const char* pattern[] = {"MTTM", "TTTM", "TTMM"};
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool toolPixel = x >= 30 && x < 34 && y >= 4 && y < 7 && pattern[y - 4][x - 30] == 'T';
            EXPECT_EQ(g.SimDC().pixel(x, y), toolPixel ? rgbOf(ToolColour) : before.pixel(x, y)) << x << "," << y;
        }
}

TEST_F(GraphicsTest, ToolAtTheBilletRadiusTouchesAndOneLessRemovesTopAndMirroredBottomRow)
{
    struct Case { qint16 x; qint16 radius; bool cut; };
    for (const Case c : {Case{5, 5, false}, Case{4, 4, true}}) {
        picture(40, 31); // axis row 15, billet rows 10..19
        g.LoadTool(smallTool(), 4, 3);
        g.ToolPrevX = g.ToolPrevY = -500;
        g.DrawBillet(20, 10);
        g.DrawTool(-5, c.x); // left column 15
        g.DrawTool(10, 8);   // away: the upper cut follows one point behind
        EXPECT_EQ(state.WorkPieceProfile[5].Radius, c.radius);
        for (int y = 10; y <= 19; ++y)
            for (int x = 15; x <= 19; ++x) {
                // The tool's bottom row "TT" at columns 15 and 16, top row 10 and its mirror 19.
                const bool removed = c.cut && (y == 10 || y == 19) && (x == 15 || x == 16);
                EXPECT_EQ(px(x, y), removed ? Back : Work) << "X " << c.x << " at " << x << "," << y;
            }
    }
}

TEST_F(GraphicsTest, DrawToolLowersOnlyTheReferenceColumnsRadius)
{
    struct Case { qint16 z, x, taperMove; int index; ProfileEntry expected; };
    const Case cases[] = {
        {-5, 3, 0, 5, {3, 0}},
        {-5, -3, 1, 5, {3, 1}},  // the radius is |X|
        {-5, 5, 1, 5, {5, 0}},   // not below: radius and mark stay
        {-5, 6, 1, 5, {5, 0}},
        {0, 2, 0, 0, {2, 0}},    // the end face
        {-20, 2, 0, 20, {2, 0}}, // the last index
        {1, 2, 1, -1, {}},       // right of the end face
        {-21, 2, 1, -1, {}},     // past the billet's left end
    };
    for (const Case& c : cases) {
        picture(40, 31);
        g.LoadTool(smallTool(), 4, 3);
        g.DrawBillet(20, 10);
        state.TaperMove = c.taperMove;
        g.DrawTool(c.z, c.x);
        for (int i = 0; i <= 20; ++i) {
            const ProfileEntry want = i == c.index ? c.expected : ProfileEntry{5, 0};
            EXPECT_EQ(state.WorkPieceProfile[size_t(i)].Radius, want.Radius) << "Z " << c.z << " X " << c.x << " i " << i;
            EXPECT_EQ(state.WorkPieceProfile[size_t(i)].Taper, want.Taper) << "Z " << c.z << " X " << c.x << " i " << i;
        }
        // Wherever the profile is, the tool is drawn: its pixel (1, 0) lies at (left + 1, top).
        const int left = 20 + c.z, top = 15 - c.x - 3;
        if (left + 1 >= 0 && top >= 0) {
            EXPECT_EQ(px(left + 1, top), ToolColour) << "Z " << c.z << " X " << c.x;
        }
    }
}

TEST_F(GraphicsTest, TaperMarkIsSetOnlyWhileTheRadiusIsLowered)
{
    picture(40, 31);
    g.LoadTool(smallTool(), 4, 3);
    g.DrawBillet(20, 10);
    g.DrawTool(-5, 3);
    state.TaperMove = 1;
    g.DrawTool(-5, 3);
    EXPECT_EQ(state.WorkPieceProfile[5].Taper, 0);
    g.DrawTool(-5, 2);
    EXPECT_EQ(state.WorkPieceProfile[5].Radius, 2);
    EXPECT_EQ(state.WorkPieceProfile[5].Taper, 1);
}

TEST_F(GraphicsTest, BlackBackgroundStampsNothingAndEarlierToolPicturesStay)
{
    settings.SimBackColor = 0;
    picture(40, 31);
    g.LoadTool(smallTool(), 4, 3);
    for (int i : {1, 2}) {
        const QImage s = g.ToolDC(i);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(s.pixel(x, y), qRgb(0, 0, 0));
    }
    g.DrawBillet(20, 10);
    g.DrawTool(-5, 4);
    g.DrawTool(10, 8);
    EXPECT_EQ(px(16, 8), ToolColour); // the tool drawn at the first point
    EXPECT_EQ(px(15, 10), ToolColour);
    EXPECT_EQ(px(15, 19), Work);      // nothing was cut
}

TEST_F(GraphicsTest, ToolSizeBeyondTheBitmapNeitherCutsNorDrawsOutsideIt)
{
    picture(40, 31);
    g.DrawBillet(40, 30); // rows 0..29 all billet
    g.LoadTool(smallTool(), 6, 5);
    EXPECT_EQ(g.ToolDC(0).pixel(5, 4), qRgb(255, 0, 255));
    EXPECT_EQ(g.ToolDC(1).pixel(5, 4), qRgb(0, 0, 0));
    g.DrawTool(-20, 2); // left 20, top 15 - 2 - 5 = 8; lower stamp at row 17
    g.DrawTool(30, 2);  // away, cutting where it stood
    const char* pattern[] = {"MTTM", "TTTM", "TTMM"};
    std::set<std::pair<int, int>> cut;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            if (pattern[y][x] == 'T') {
                cut.insert({20 + x, 8 + y});                 // upper cut at the tool's rows
                cut.insert({20 + x, 17 + (4 - y)});          // flipped stamp, 5 rows high
            }
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 40; ++x) {
            const qint32 want = y == 30 ? Back : (cut.count({x, y}) ? Back : Work);
            EXPECT_EQ(px(x, y), want) << x << "," << y;
        }
}

TEST_F(GraphicsTest, EdgeEffectRecoloursColumnsHigherThanTheirRightNeighbour)
{
    // An uncut billet: only its last column, from its top row to its bottom row.
    picture(40, 31);
    g.DrawBillet(20, 10);
    host.log.clear();
    g.DrawEdgeEffect();
    EXPECT_EQ(host.log, QStringList{"show"});
    for (int y = 0; y < 31; ++y) {
        const bool billet = y >= 10 && y <= 19;
        EXPECT_EQ(px(19, y), billet ? Effect : Back) << y;
        EXPECT_EQ(px(18, y), billet ? Work : Back) << y;
    }

    // A shoulder: the higher column before it becomes a line over both halves.
    picture(40, 31);
    g.DrawBillet(20, 10);
    g.DrawBillet(12, 14);
    g.DrawEdgeEffect();
    for (int y = 8; y <= 21; ++y) {
        EXPECT_EQ(px(11, y), Effect) << y;
        EXPECT_EQ(px(10, y), Work) << y;
    }
    EXPECT_EQ(px(12, 12), Work);
    EXPECT_EQ(px(19, 12), Work); // past BilletLength: not looked at

    // A billet as high as the picture: the rows past the bottom are left alone.
    picture(30, 31);
    g.DrawBillet(10, 32);
    g.DrawEdgeEffect();
    for (int y = 0; y < 31; ++y)
        EXPECT_EQ(px(9, y), Effect) << y;
}

TEST_F(GraphicsTest, RefreshHandsOverOnlyWhatChanged)
{
    picture(40, 31);
    g.LoadTool(smallTool(), 4, 3);
    g.DrawBillet(20, 10);
    g.RefreshSimulation();
    g.RefreshSimulation();
    g.DrawTool(10, 8); // tool at (30, 4), lower stamp at (30, 23), both 3 x 3 of opaque pixels
    g.RefreshSimulation();
    g.DrawTool(18, 8); // partly outside on the right
    g.RefreshSimulation();
    g.ClearSimBuffer();
    g.RefreshSimulation();
    ASSERT_EQ(host.dirtyRects.size(), 5u);
    EXPECT_EQ(host.dirtyRects[0], QRect(0, 0, 40, 31));
    EXPECT_TRUE(host.dirtyRects[1].isEmpty());
    EXPECT_EQ(host.dirtyRects[2], QRect(30, 4, 3, 22));
    EXPECT_EQ(host.dirtyRects[3], QRect(30, 4, 10, 22)); // the upper cut at 30, the tool at 38
    EXPECT_EQ(host.dirtyRects[4], QRect(0, 0, 40, 31));
    EXPECT_EQ(host.shownSize, QSize(40, 31));
}

TEST_F(GraphicsTest, MissingOrUnreadableToolFileIsReportedAndDrawsNothing)
{
    QFile junk(dir.filePath("junk.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    struct Case { QString file; const char* message; };
    for (const Case& c : {Case{dir.filePath("none.bmp"), "File not found"}, Case{junk.fileName(), "Invalid picture"}}) {
        picture(40, 31);
        g.LoadTool(smallTool(), 4, 3);
        MessageBoxRecorder boxes;
        g.LoadTool(c.file, 67, 101);
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, c.message);
        EXPECT_EQ(boxes.shown[0].flags, 0);
        EXPECT_EQ(boxes.shown[0].title, platform::AppTitle); // no title of its own
        EXPECT_EQ(state.ToolWidth, 67);
        EXPECT_EQ(state.ToolHeight, 101);
        const QImage before = g.SimDC().copy();
        g.DrawTool(10, 8);
        EXPECT_EQ(g.SimDC(), before); // neither the old tool nor a broken one
    }
}

TEST_F(GraphicsTest, ABitmapCutShortOrBeyondTheReadersLimitIsRefusedAsTheFailureItIs)
{
    QImage big(1000, 300, QImage::Format_RGB888); // 1.2 MB as the reader holds it
    big.fill(QColor(255, 0, 255));
    ASSERT_TRUE(big.save(dir.filePath("big.bmp"), "BMP"));
    QFile whole(smallTool());
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    QFile cut(dir.filePath("cut.bmp"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() - 1)); // the last row lacks its last byte
    cut.close();

    struct Case { QString file; int limitMb; const char* message; };
    const int usual = QImageReader::allocationLimit();
    for (const Case& c :
         {Case{cut.fileName(), usual, "Invalid picture"}, Case{dir.filePath("big.bmp"), 1, "Picture too large"}}) {
        picture(40, 31);
        g.LoadTool(smallTool(), 4, 3);
        MessageBoxRecorder boxes;
        QImageReader::setAllocationLimit(c.limitMb);
        g.LoadTool(c.file, 4, 3);
        QImageReader::setAllocationLimit(usual);
        ASSERT_EQ(boxes.shown.size(), 1u) << c.message;
        EXPECT_EQ(boxes.shown[0].text, c.message);
        EXPECT_EQ(boxes.shown[0].flags, 0);
        const QImage before = g.SimDC().copy();
        g.DrawTool(10, 8);
        EXPECT_EQ(g.SimDC(), before) << c.message; // nothing of a picture that was not read whole
    }
    MessageBoxRecorder boxes;
    g.LoadTool(dir.filePath("big.bmp"), 4, 3); // within the usual limit
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(GraphicsTest, NegativeBilletLengthIsReportedAndNothingFailsAfterIt)
{
    picture(40, 31);
    g.LoadTool(smallTool(), 4, 3);
    g.DrawBillet(20, 10);
    MessageBoxRecorder boxes;
    g.DrawBillet(-5, 10);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Subscript out of range");
    EXPECT_EQ(boxes.shown[0].flags, 0);
    EXPECT_EQ(state.BilletLength, -5);
    EXPECT_TRUE(state.WorkPieceProfile.empty());
    for (auto [z, x] : {std::pair<qint16, qint16>{0, 0}, {5, -3}, {-3, 2}})
        g.DrawTool(z, x);
    g.DrawEdgeEffect();
    EXPECT_TRUE(state.WorkPieceProfile.empty());
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(GraphicsTest, BilletHeightPastTheSixteenBitRangeIsReportedAfterTheProfile)
{
    picture(40, 31);
    MessageBoxRecorder boxes;
    g.DrawBillet(20, 32767); // radius 16384, height 32768
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Overflow");
    ASSERT_EQ(state.WorkPieceProfile.size(), 21u);
    EXPECT_EQ(state.WorkPieceProfile[0].Radius, 16384);
    EXPECT_EQ(px(0, 15), Back);
}

TEST_F(GraphicsTest, EmptyPictureAndFarPositionsFailSilently)
{
    MessageBoxRecorder boxes;
    picture(0, 0);
    EXPECT_TRUE(g.SimDC().isNull());
    g.LoadTool(smallTool(), 4, 3);
    g.DrawBillet(20, 10);
    g.DrawTool(3, 3);
    g.ClearSimBuffer();
    g.DrawEdgeEffect();
    picture(40, 31);
    g.DrawBillet(20, 10);
    for (auto [z, x] : {std::pair<qint16, qint16>{32767, 32767}, {-32768, 32767}, {32767, -32768}}) {
        g.DrawTool(z, x);
        g.DrawTool(z, x);
    }
    // 20 + 32767 and 15 + 32768 - 3 are held at the nearest 16-bit value.
    EXPECT_EQ(g.ToolPrevX, 32767);
    EXPECT_EQ(g.ToolPrevY, 32767);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(GraphicsTest, NewBufferDuringARunShowsOnlyWhatIsDrawnFromThenOn)
{
    picture(40, 31);
    g.LoadTool(smallTool(), 4, 3);
    g.DrawBillet(20, 10);
    g.DrawTool(-5, 4);
    state.SimWidth = 44; // a layout change in the middle of the move
    g.InitSimBuffer();
    g.DrawTool(10, 8); // tool at (30, 4)
    const char* pattern[] = {"MTTM", "TTTM", "TTMM"};
    for (int y = 0; y < 31; ++y)
        for (int x = 0; x < 44; ++x) {
            const bool toolPixel = x >= 30 && x < 34 && y >= 4 && y < 7 && pattern[y - 4][x - 30] == 'T';
            EXPECT_EQ(px(x, y), toolPixel ? ToolColour : Back) << x << "," << y;
        }
}
