// DrawTool per point for the default tool beside a plain memset of the bytes it writes, and
// the cost of a refresh that hands over only the changed part of the picture.
#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"
#include "simulation/Graphics.h"
#include "simulation/SimulationHost.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr int ToolW = 67;
constexpr int ToolH = 101;

// Copies the changed part of the buffer into a second picture, as the window's picture does.
class CopyingHost : public SimulationHost
{
public:
    void ShowSimulation(const QImage& buffer, const QRect& dirty) override
    {
        if (screen.size() != buffer.size())
            screen = QImage(buffer.size(), QImage::Format_RGB32);
        const QRect r = dirty & buffer.rect();
        if (r.isEmpty())
            return;
        const qsizetype bytes = qsizetype(r.width()) * 4;
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(screen.scanLine(y) + qsizetype(r.left()) * 4, buffer.constScanLine(y) + qsizetype(r.left()) * 4,
                        size_t(bytes));
    }
    bool IsButtonEnabled(const QString&) const override { return true; }
    int SliderValue() const override { return 1; }
    bool PlaySoundChecked() const override { return false; }
    void DoEvents() override {}
    void SleepMs(int) override {}

    QImage screen;
};

struct Scene
{
    Scene(int w, int h)
    {
        settings.WorkPieceColor = 0xFF0000;
        settings.SimBackColor = 0xFFFFFF;
        settings.EffectColor = 0xFF9696;
        state.SimWidth = qint16(w);
        state.SimHeight = qint16(h);
        g.InitSimBuffer();
        g.LoadTool(QStringLiteral(TURNWISE_TOOL_BMP), ToolW, ToolH);
        g.DrawBillet(qint16(w * 2 / 3), qint16(h * 3 / 4));
        g.RefreshSimulation();
    }

    // A turning pass to and fro along the billet, cutting a little below its surface.
    void nextPoint()
    {
        z += dz;
        if (z <= -state.BilletLength + 1 || z >= 0)
            dz = -dz;
        g.DrawTool(qint16(z), x);
    }

    SharedState state;
    GlobalVariables settings;
    CopyingHost host;
    Graphics g{state, settings, host};
    int z = 0;
    int dz = -1;
    qint16 x = qint16(state.SimHeight * 3 / 8 - 10);
};

void BM_DrawToolPerPoint(benchmark::State& st)
{
    Scene scene(1200, 800);
    scene.x = qint16(800 * 3 / 8 - 10);
    for (auto _ : st) {
        scene.nextPoint();
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_DrawToolPerPoint);

// The same bytes DrawTool writes for one point: three 67 x 101 rectangles of 32-bit pixels.
void BM_MemsetSameBytes(benchmark::State& st)
{
    QImage picture(1200, 800, QImage::Format_RGB32);
    picture.fill(0xFFFFFFFFu);
    uchar* bits = picture.bits();
    const qsizetype stride = picture.bytesPerLine();
    int left = 800;
    for (auto _ : st) {
        left = left > 100 ? left - 1 : 800;
        for (int top : {140, 400, 140}) {
            for (int y = 0; y < ToolH; ++y)
                std::memset(bits + (top + y) * stride + qsizetype(left) * 4, 0x5A, ToolW * 4);
        }
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_MemsetSameBytes);

// A paced point at slider 1: DrawTool, then a refresh that copies what changed.
void BM_PointAndRefresh(benchmark::State& st)
{
    Scene scene(int(st.range(0)), int(st.range(1)));
    for (auto _ : st) {
        scene.nextPoint();
        scene.g.RefreshSimulation();
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_PointAndRefresh)->Args({1200, 800})->Args({2400, 1600});

// An arc animated while running to a breakpoint: a quarter circle of radius 20 pixels in
// 2,000 points, so that most points fall on the pixel of the point before.
void BM_ArcToBreakpoint(benchmark::State& st)
{
    Scene scene(1200, 800);
    std::vector<ToolPathPoint> arc;
    for (int k = 0; k < 2000; ++k) {
        const double a = 1.5707963267948966 * k / 1999;
        arc.push_back({-100 - 20 * std::sin(a), 250 - 20 * (1 - std::cos(a))});
    }
    scene.state.RunToBreakpoint = true;
    for (auto _ : st) {
        scene.state.ToolPath = arc;
        scene.g.AnimateToolPath();
        benchmark::ClobberMemory();
    }
    st.SetItemsProcessed(st.iterations() * qint64(arc.size()));
}
BENCHMARK(BM_ArcToBreakpoint);

// What a refresh of the whole buffer would cost instead.
void BM_WholeBufferCopy(benchmark::State& st)
{
    Scene scene(int(st.range(0)), int(st.range(1)));
    for (auto _ : st) {
        scene.host.ShowSimulation(scene.g.SimDC(), scene.g.SimDC().rect());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_WholeBufferCopy)->Args({1200, 800})->Args({2400, 1600});

} // namespace

BENCHMARK_MAIN();
