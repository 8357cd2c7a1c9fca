// The animation against plain drawing: every point stamped pixel by pixel in the order the
// picture's rules give (upper cut at the previous corner, lower cut, tool), with nothing
// held back or left out. Paths with many points on one pixel, tool changes, new buffers,
// fresh starts and a pause that switches to running to a breakpoint must give the same
// picture and the same profile, with the default colours, a black background and colours
// equal to the transparent keys.
#include "GraphicsFixture.h"

#include <QRandomGenerator>
#include <cmath>

namespace {

constexpr QRgb KeyMagenta = 0xFFFF00FFu;
constexpr QRgb KeyBlack = 0xFF000000u;

// The picture drawn the plain way.
struct PlainPicture
{
    QImage buffer;
    int axis = 0;
    QImage tool, cut, flipped;
    int prevX = -500, prevY = -500;
    int billetLength = 0;
    std::vector<ProfileEntry> profile;

    void init(int w, int h, QRgb back)
    {
        buffer = QImage(w, h, QImage::Format_RGB32);
        buffer.fill(back);
        axis = h % 2 == 0 ? h / 2 : (h - 1) / 2;
    }
    void loadTool(const QImage& bitmap, int w, int h, QRgb back)
    {
        tool = QImage(w, h, QImage::Format_RGB32);
        tool.fill(KeyMagenta);
        for (int y = 0; y < std::min(h, bitmap.height()); ++y)
            for (int x = 0; x < std::min(w, bitmap.width()); ++x)
                tool.setPixel(x, y, bitmap.pixel(x, y));
        cut = tool;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                cut.setPixel(x, y, tool.pixel(x, y) == KeyMagenta ? KeyBlack : back);
        flipped = cut.mirrored(false, true);
    }
    void blt(const QImage& s, int left, int top, QRgb key)
    {
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x)
                if (s.pixel(x, y) != key && buffer.valid(left + x, top + y))
                    buffer.setPixel(left + x, top + y, s.pixel(x, y));
    }
    void billet(int length, int diameter, QRgb work)
    {
        billetLength = length;
        const qint16 r = qint16(std::nearbyint(diameter / 2.0));
        profile.assign(size_t(length) + 1, ProfileEntry{r, 0});
        for (int y = axis - r; y < axis + r; ++y)
            for (int x = 0; x < length; ++x)
                if (buffer.valid(x, y))
                    buffer.setPixel(x, y, work);
    }
    void drawTool(int z, int x, int taperMove)
    {
        const int i = -z;
        if (i >= 0 && i <= billetLength && profile[size_t(i)].Radius > std::abs(x)) {
            if (taperMove == 1)
                profile[size_t(i)].Taper = 1;
            profile[size_t(i)].Radius = qint16(std::abs(x));
        }
        const int left = billetLength + z, top = axis - x - tool.height();
        blt(cut, prevX, prevY, KeyBlack);
        prevX = left;
        prevY = top;
        blt(flipped, left, axis + x, KeyBlack);
        blt(tool, left, top, KeyMagenta);
    }
};

struct Colours
{
    const char* name;
    qint32 work, back, toolA, toolB;
};

class DrawingEquivalence : public GraphicsTest
{
protected:
    // A random tool bitmap of w x h: magenta holes, two colours, and black.
    QImage randomTool(QRandomGenerator& rng, int w, int h, const Colours& c)
    {
        QImage img(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int k = rng.bounded(4);
                img.setPixel(x, y, k == 0 ? KeyMagenta : k == 1 ? platform::ToPixel(c.toolA) : k == 2 ? platform::ToPixel(c.toolB) : KeyBlack);
            }
        return img;
    }

    void loadBoth(const QImage& bitmap, int w, int h)
    {
        const QString path = dir.filePath(QStringLiteral("tool%1.bmp").arg(toolFiles++));
        ASSERT_TRUE(bitmap.convertToFormat(QImage::Format_RGB888).save(path, "BMP"));
        g.LoadTool(path, qint16(w), qint16(h));
        plain.loadTool(bitmap, w, h, platform::ToPixel(settings.SimBackColor));
    }

    void expectSame(const std::string& where)
    {
        ASSERT_EQ(g.SimDC().size(), plain.buffer.size()) << where;
        const QImage mine = g.SimDC().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < mine.height(); ++y)
            for (int x = 0; x < mine.width(); ++x)
                ASSERT_EQ(mine.pixel(x, y), plain.buffer.pixel(x, y)) << where << " at " << x << "," << y;
        ASSERT_EQ(state.WorkPieceProfile.size(), plain.profile.size()) << where;
        for (size_t i = 0; i < plain.profile.size(); ++i) {
            ASSERT_EQ(state.WorkPieceProfile[i].Radius, plain.profile[i].Radius) << where << " index " << i;
            ASSERT_EQ(state.WorkPieceProfile[i].Taper, plain.profile[i].Taper) << where << " index " << i;
        }
    }

    PlainPicture plain;
    int toolFiles = 0;
};

const Colours colourSets[] = {
    {"defaults", 16711680, 16777215, platform::WinRgb(90, 60, 30), platform::WinRgb(0, 200, 0)},
    {"black background", 16711680, 0, platform::WinRgb(90, 60, 30), 16777215},
    {"magenta background", 0, platform::WinRgb(255, 0, 255), platform::WinRgb(90, 60, 30), 16711680},
    {"magenta billet", platform::WinRgb(255, 0, 255), 16777215, 0, platform::WinRgb(255, 0, 255) - 1},
    {"tool in the background colour", 16711680, 16777215, 16777215, 16711680},
};

} // namespace

TEST_F(DrawingEquivalence, RandomPathsGiveThePlainPictureAndProfile)
{
    for (const Colours& c : colourSets) {
        for (quint32 seed = 1; seed <= 12; ++seed) {
            QRandomGenerator rng(seed);
            const std::string run = std::string(c.name) + " seed " + std::to_string(seed);
            settings.WorkPieceColor = c.work;
            settings.SimBackColor = c.back;
            const QRgb back = platform::ToPixel(c.back);
            int w = 70 + rng.bounded(20), h = 41 + rng.bounded(10);
            picture(w, h);
            plain.init(w, h, back);
            int tw = 3 + rng.bounded(5), th = 3 + rng.bounded(5);
            loadBoth(randomTool(rng, tw, th, c), tw + rng.bounded(2), th + rng.bounded(2));
            g.ToolPrevX = g.ToolPrevY = -500;
            plain.prevX = plain.prevY = -500;
            g.ClearSimBuffer();
            plain.init(w, h, back);
            const int length = 40 + rng.bounded(10), diameter = 20 + rng.bounded(9);
            g.DrawBillet(qint16(length), qint16(diameter));
            plain.billet(length, diameter, platform::ToPixel(c.work));

            double z = 0, x = diameter / 2.0 + 2;
            for (int move = 0; move < 25; ++move) {
                // Between moves: a tool change, another taper state, a look at the picture.
                const int between = rng.bounded(6);
                if (between == 0) {
                    tw = 3 + rng.bounded(5), th = 3 + rng.bounded(5);
                    loadBoth(randomTool(rng, tw, th, c), tw, th);
                } else if (between == 1) {
                    state.TaperMove = qint16(1 - state.TaperMove);
                } else if (between == 2) {
                    expectSame(run + " move " + std::to_string(move));
                }

                // Steps of a tenth or a third of a pixel put many points on one pixel.
                const double steps[] = {0.0, 0.1, -0.1, 1.0 / 3, -1.0 / 3, 1.0, -1.0};
                const double dz = steps[rng.bounded(7)], dx = steps[rng.bounded(7)] / 2;
                const int count = 1 + rng.bounded(40);
                std::vector<ToolPathPoint> path;
                for (int k = 0; k < count; ++k) {
                    path.push_back({z, x});
                    z = std::clamp(z + dz, -double(length) - 3, 4.0);
                    x = std::clamp(x + dx, -2.0, double(diameter));
                }
                state.ToolPath = path;
                state.IsRapid = rng.bounded(4) == 0;
                state.RunToBreakpoint = rng.bounded(3) != 0;
                host.slider = 1;
                host.buttons["Pause"] = true;
                // A normal move may be paused after one of its points and go on running to a
                // breakpoint, with a new buffer or a fresh start's clear during the wait.
                const int switchAfter = !state.RunToBreakpoint && !state.IsRapid && count > 1 && rng.bounded(2) ? rng.bounded(count - 1) : -1;
                const int duringWait = rng.bounded(3); // 0 nothing, 1 new buffer, 2 fresh start
                const int newW = 70 + rng.bounded(20);
                int yields = 0;
                host.onDoEvents = [&] {
                    if (!host.buttons["Pause"]) { // the wait: resume running to a breakpoint
                        if (duringWait == 1) {
                            state.SimWidth = qint16(newW);
                            g.InitSimBuffer();
                        } else if (duringWait == 2) {
                            g.ToolPrevX = g.ToolPrevY = -500;
                            g.ClearSimBuffer();
                        }
                        state.RunToBreakpoint = true;
                        host.buttons["Pause"] = true;
                    } else if (yields++ == switchAfter) {
                        host.buttons["Pause"] = false;
                    }
                };
                const bool fastFromStart = state.RunToBreakpoint;
                g.AnimateToolPath();
                host.onDoEvents = nullptr;

                for (int k = 0; k < count; ++k) {
                    const bool fast = fastFromStart || (switchAfter >= 0 && k > switchAfter);
                    if (!fast && state.IsRapid && k % 6 != 0)
                        continue;
                    plain.drawTool(int(std::nearbyint(path[size_t(k)].Z)), int(std::nearbyint(path[size_t(k)].X)),
                                   state.TaperMove);
                    if (k == switchAfter) {
                        if (duringWait == 1) {
                            w = newW;
                            plain.init(w, h, back);
                        } else if (duringWait == 2) {
                            plain.prevX = plain.prevY = -500;
                            plain.init(w, h, back);
                        }
                    }
                }
            }
            expectSame(run + " at the end");
        }
    }
}

// The places where a point on the previous point's pixel is not the same picture, each on
// a path of points that all lie on one pixel.
TEST_F(DrawingEquivalence, EveryPointOnOnePixelIsDrawnAgainAfterWhatChangesThePicture)
{
    struct Case { const char* name; std::function<void()> during; std::function<void()> plainAfter; };
    const QRgb back = platform::ToPixel(Back);
    const std::vector<Case> cases = {
        {"new buffer", [&] { state.SimWidth = 64; g.InitSimBuffer(); }, [&] { plain.init(64, 31, back); }},
        {"fresh start", [&] { g.ToolPrevX = g.ToolPrevY = -500; g.ClearSimBuffer(); },
         [&] { plain.prevX = plain.prevY = -500; plain.init(60, 31, back); }},
        {"new billet", [&] { g.DrawBillet(30, 12); }, [&] { plain.billet(30, 12, platform::ToPixel(Work)); }},
    };
    for (const Case& c : cases) {
        picture(60, 31);
        plain.init(60, 31, back);
        loadBoth(QImage(smallTool()).convertToFormat(QImage::Format_RGB32), 4, 3);
        g.DrawBillet(40, 10);
        plain.billet(40, 10, platform::ToPixel(Work));
        // Paused at the second point, which is then drawn running to a breakpoint.
        state.ToolPath = {{-5, 4}, {-5, 4}, {-5, 4}};
        state.IsRapid = false;
        state.RunToBreakpoint = false;
        host.slider = 1;
        host.buttons["Pause"] = true;
        host.onDoEvents = [&] {
            if (host.buttons["Pause"]) {
                host.buttons["Pause"] = false;
                return;
            }
            c.during();
            state.RunToBreakpoint = true;
            host.buttons["Pause"] = true;
        };
        g.AnimateToolPath();
        host.onDoEvents = nullptr;
        plain.drawTool(-5, 4, 0);
        c.plainAfter();
        plain.drawTool(-5, 4, 0);
        plain.drawTool(-5, 4, 0);
        expectSame(c.name);
    }
}

// A tool picture held back until the next point covers it must still show where the next
// cut does not: after a tool change, and with a black background.
TEST_F(DrawingEquivalence, AToolPictureStaysWhereTheNextCutDoesNotCoverIt)
{
    for (qint32 background : {Back, qint32(0)}) {
        settings.SimBackColor = background;
        const QRgb back = platform::ToPixel(background);
        picture(60, 31);
        plain.init(60, 31, back);
        loadBoth(QImage(smallTool()).convertToFormat(QImage::Format_RGB32), 4, 3);
        g.DrawBillet(40, 10);
        plain.billet(40, 10, platform::ToPixel(Work));
        g.DrawTool(-5, 8);
        plain.drawTool(-5, 8, 0);
        // The new tool is narrower: its cut at the old place leaves the old picture's edge.
        loadBoth(QImage(toolFile({"TM", "TT"}, "narrow.bmp")).convertToFormat(QImage::Format_RGB32), 2, 2);
        for (auto [z, x] : {std::pair{-5, 8}, {-20, 3}, {-20, 3}, {-30, 6}}) {
            g.DrawTool(qint16(z), qint16(x));
            plain.drawTool(z, x, 0);
        }
        expectSame(background == 0 ? "black background" : "default background");
    }
}
