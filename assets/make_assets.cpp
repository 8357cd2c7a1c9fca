// Makes the data files that come with the program: the tool pictures with their descriptions
// and the tool list, the splash picture, and the machine sounds. Everything is computed,
// nothing is random, so every build writes the same bytes.
//
//   make_assets <output folder>   writes <folder>/tools/..., <folder>/sound/... and <folder>/splash.bmp

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Rgb
{
    uint8_t r, g, b;
};

constexpr Rgb Magenta{255, 0, 255};

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

bool writeFile(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(f);
}

// ---- Tool picture ---------------------------------------------------------------------

// A right-hand turning tool seen from the side: the insert's tip at the lower-left pixel,
// the shank rising to the upper right. Rows count from the top.
constexpr int ToolW = 67;
constexpr int ToolH = 101;

struct Pt
{
    double x, y;
};

bool inside(const std::vector<Pt>& poly, double x, double y)
{
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Pt& a = poly[i];
        const Pt& b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

constexpr Rgb OutlineColour{48, 52, 58};

// Edges of the outline a shade darker, so the tool reads against the billet; the reference
// point (the lower-left pixel) belongs to the tool whatever the outline rounding says.
std::vector<Rgb> outlined(const std::vector<Rgb>& px, int w, int h)
{
    std::vector<Rgb> out = px;
    auto isTool = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return false;
        const Rgb& c = px[size_t(y * w + x)];
        return !(c.r == Magenta.r && c.g == Magenta.g && c.b == Magenta.b);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (isTool(x, y) && (!isTool(x - 1, y) || !isTool(x + 1, y) || !isTool(x, y - 1) || !isTool(x, y + 1)))
                out[size_t(y * w + x)] = OutlineColour;
    out[size_t((h - 1) * w)] = OutlineColour;
    return out;
}

std::vector<Rgb> drawTool()
{
    // Outline of the whole tool (pixel-centre coordinates).
    const std::vector<Pt> body = {{-0.5, 100.5}, {13.5, 44.5}, {20.5, 44.5}, {20.5, -0.5},
                                  {66.5, -0.5},  {66.5, 72.5}, {30.5, 88.0}};
    // The insert: a rhombus whose lower-left corner is the cutting tip.
    const std::vector<Pt> insert = {{-0.5, 100.5}, {12.5, 56.5}, {36.5, 62.5}, {30.5, 88.0}};
    // The clamp that holds the insert.
    const std::vector<Pt> clamp = {{14.0, 52.0}, {34.0, 52.0}, {38.0, 60.0}, {13.0, 57.0}};

    std::vector<Rgb> px(size_t(ToolW * ToolH), Magenta);
    for (int y = 0; y < ToolH; ++y) {
        for (int x = 0; x < ToolW; ++x) {
            const double cx = x, cy = y;
            if (!inside(body, cx, cy))
                continue;
            Rgb c;
            if (inside(insert, cx, cy)) {
                // Coated insert, a little lighter towards the cutting edge.
                const int shade = int(std::lround(30.0 * (1.0 - (cx + (100.0 - cy)) / 80.0)));
                c = {uint8_t(196 + std::max(0, shade)), uint8_t(160 + std::max(0, shade)), 48};
                // Screw through the insert.
                const double dx = cx - 18.0, dy = cy - 74.0;
                const double d = std::sqrt(dx * dx + dy * dy);
                if (d <= 4.5)
                    c = d <= 1.5 ? Rgb{40, 40, 40} : Rgb{120, 110, 90};
            } else if (inside(clamp, cx, cy)) {
                c = {70, 74, 80};
            } else {
                // Steel shank with a highlight along its left face.
                const int light = x < 26 ? 40 : (x > 60 ? -30 : 0);
                c = {uint8_t(140 + light), uint8_t(146 + light), uint8_t(154 + light)};
            }
            px[size_t(y * ToolW + x)] = c;
        }
    }
    return outlined(px, ToolW, ToolH);
}

std::vector<uint8_t> bmp24(const std::vector<Rgb>& px, int w, int h)
{
    const uint32_t stride = uint32_t((w * 3 + 3) & ~3);
    const uint32_t imageSize = stride * uint32_t(h);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, uint32_t(w));
    put32(out, uint32_t(h));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0); // uncompressed
    put32(out, imageSize);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = h - 1; y >= 0; --y) { // bottom-up
        for (int x = 0; x < w; ++x) {
            const Rgb& c = px[size_t(y * w + x)];
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (uint32_t pad = uint32_t(w) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

// ---- Splash picture -------------------------------------------------------------------

// The artwork behind the splash window's name and version: a stepped part turned in a chuck,
// lit from above, and the tool at its end face. No text: the window writes that itself.
constexpr int SplashW = 544;
constexpr int SplashH = 355;

std::vector<Rgb> drawSplash()
{
    std::vector<Rgb> px(size_t(SplashW * SplashH));
    auto mix = [](double a, double b, double t) { return a + (b - a) * t; };
    auto put = [&](int x, int y, double r, double g, double b) {
        if (x < 0 || y < 0 || x >= SplashW || y >= SplashH)
            return;
        auto c8 = [](double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); };
        px[size_t(y * SplashW + x)] = {c8(r), c8(g), c8(b)};
    };

    // Night-blue background, darker towards the bottom.
    for (int y = 0; y < SplashH; ++y) {
        const double t = double(y) / (SplashH - 1);
        for (int x = 0; x < SplashW; ++x)
            put(x, y, mix(34, 12, t), mix(48, 18, t), mix(68, 28, t));
    }
    // An accent rule under the name.
    for (int y = 112; y < 115; ++y)
        for (int x = 30; x < 420; ++x)
            put(x, y, 232, 162, 48);

    const int axis = 240;
    // A round body lit from above: brightness by the surface's slope.
    auto cylinder = [&](int x0, int x1, double radius, double base) {
        for (int x = x0; x < x1; ++x)
            for (int y = int(axis - radius); y <= int(axis + radius); ++y) {
                const double u = (y - axis) / radius;
                if (std::fabs(u) > 1.0)
                    continue;
                const double lit = 0.30 + 0.70 * std::sqrt(1.0 - u * u) * (u < -0.2 ? 1.0 : 0.85) + (u < -0.45 && u > -0.65 ? 0.18 : 0.0);
                put(x, y, base * lit, (base + 6) * lit, (base + 14) * lit);
            }
    };
    // Chuck body and jaws.
    for (int x = 46; x < 132; ++x)
        for (int y = 150; y < 331; ++y) {
            const double u = (y - axis) / 90.0;
            const double lit = 0.35 + 0.45 * std::sqrt(std::max(0.0, 1.0 - u * u));
            put(x, y, 110 * lit, 114 * lit, 122 * lit);
        }
    for (int jaw : {-1, 1})
        for (int x = 120; x < 150; ++x)
            for (int y = 0; y < 22; ++y)
                put(x, axis + jaw * (62 + y), 70, 74, 82);
    // The part: three diameters with a chamfered end.
    cylinder(132, 262, 58.0, 200.0);
    cylinder(262, 352, 44.0, 206.0);
    for (int x = 352; x < 430; ++x) {
        const double r = x < 418 ? 30.0 : 30.0 - (x - 418);
        cylinder(x, x + 1, r, 212.0);
    }
    // Freshly cut faces catch the light.
    for (int y = axis - 58; y <= axis + 58; ++y)
        if (std::abs(y - axis) > 44)
            put(262, y, 236, 240, 246);
    for (int y = axis - 44; y <= axis + 44; ++y)
        if (std::abs(y - axis) > 30)
            put(352, y, 236, 240, 246);
    // The tool: a shank from the upper right and a gold insert with its tip at the end face.
    const std::vector<Pt> shank = {{452, 74}, {512, 74}, {512, 184}, {470, 214}, {452, 194}};
    const std::vector<Pt> insert = {{431, 222}, {452, 182}, {478, 190}, {470, 214}};
    for (int y = 64; y < 230; ++y)
        for (int x = 420; x < 520; ++x) {
            if (inside(insert, x, y))
                put(x, y, 214, 172, 56);
            else if (inside(shank, x, y))
                put(x, y, x < 460 ? 170 : 138, x < 460 ? 176 : 144, x < 460 ? 186 : 154);
        }
    return px;
}

// ---- The other shipped tools ----------------------------------------------------------

// Each picture has its cutting point at the lower-left pixel, the tool's reference point,
// and is drawn from polygons in pixel-centre coordinates (rows count from the top).
struct ToolRegion
{
    std::vector<Pt> outline;
    Rgb (*colour)(double x, double y);
};

struct ShippedTool
{
    const char* file;   // the picture; its description has the same name with ".ini"
    const char* name;   // TOOLNAME
    const char* cuttingPoint;
    int w, h;
    std::vector<ToolRegion> regions; // the first whose outline holds a pixel colours it
};

Rgb steel(double x, double)
{
    const int light = x < 12 ? 36 : 0;
    return {uint8_t(140 + light), uint8_t(146 + light), uint8_t(154 + light)};
}
Rgb roundBar(double, double y)
{
    // A bar lit from above: lightest a third of the way down, darker at both edges.
    const double t = (y - 8.0) / 16.0;
    const int light = int(std::lround(60.0 * (1.0 - 3.0 * std::fabs(t - 0.33))));
    return {uint8_t(120 + std::clamp(light, -40, 60)), uint8_t(126 + std::clamp(light, -40, 60)),
            uint8_t(136 + std::clamp(light, -40, 60))};
}
Rgb goldInsert(double, double) { return {204, 168, 52}; }
Rgb carbideInsert(double x, double) { return x < 3 ? Rgb{110, 114, 124} : Rgb{78, 82, 92}; }
Rgb blueInsert(double, double) { return {70, 110, 170}; }
Rgb clampColour(double, double) { return {70, 74, 80}; }

std::vector<ShippedTool> shippedTools()
{
    return {
        // A finishing tool: a narrow 35-degree insert for fine profiles.
        {"finish.bmp", "Finishing tool", "Insert tip", 55, 101,
         {{{{-0.5, 100.5}, {9.5, 62.5}, {33.5, 58.5}, {22.5, 80.5}}, goldInsert},
          {{{10.5, 58.0}, {30.0, 54.0}, {33.0, 60.0}, {10.0, 62.0}}, clampColour},
          {{{-0.5, 100.5}, {9.5, 62.5}, {18.5, 52.5}, {18.5, -0.5}, {54.5, -0.5}, {54.5, 66.5}, {22.5, 80.5}}, steel}}},
        // A grooving tool: a 3 mm blade whose whole lower edge cuts.
        {"groove.bmp", "Grooving tool", "Left corner", 30, 101,
         {{{{-0.5, 100.5}, {-0.5, 78.5}, {29.5, 78.5}, {29.5, 100.5}}, carbideInsert},
          {{{2.5, 78.5}, {2.5, 36.5}, {27.5, 36.5}, {27.5, 78.5}}, steel},
          {{{-0.5, 36.5}, {-0.5, -0.5}, {29.5, -0.5}, {29.5, 36.5}}, steel}}},
        // A boring bar: a long round bar with a small insert at its end, for bores.
        {"boring.bmp", "Boring bar", "Insert tip", 121, 31,
         {{{{-0.5, 30.5}, {3.5, 14.5}, {15.5, 11.5}, {14.5, 25.5}}, goldInsert},
          {{{-0.5, 30.5}, {3.5, 14.5}, {10.5, 7.5}, {120.5, 7.5}, {120.5, 24.5}, {14.5, 25.5}}, roundBar}}},
        // A threading tool: a 60-degree point, its left flank upright.
        {"thread.bmp", "Threading tool", "Point of the insert", 45, 101,
         {{{{-0.5, 100.5}, {-0.5, 66.5}, {22.5, 60.5}, {34.6, 80.5}}, blueInsert},
          {{{-0.5, 100.5}, {-0.5, 40.5}, {8.5, 40.5}, {8.5, -0.5}, {44.5, -0.5}, {44.5, 62.5}, {34.6, 80.5}}, steel}}},
    };
}

std::vector<Rgb> drawShippedTool(const ShippedTool& tool)
{
    std::vector<Rgb> px(size_t(tool.w * tool.h), Magenta);
    for (int y = 0; y < tool.h; ++y)
        for (int x = 0; x < tool.w; ++x)
            for (const ToolRegion& r : tool.regions)
                if (inside(r.outline, x, y)) {
                    px[size_t(y * tool.w + x)] = r.colour(x, y);
                    break;
                }
    return outlined(px, tool.w, tool.h);
}

std::vector<uint8_t> crlfText(const std::vector<std::string>& lines)
{
    std::vector<uint8_t> out;
    for (const std::string& line : lines) {
        out.insert(out.end(), line.begin(), line.end());
        out.push_back('\r');
        out.push_back('\n');
    }
    return out;
}

// The pictures with their descriptions, and the tool list that gives them tool numbers:
// the default tool on 0 and 1, the others after it.
bool writeShippedTools(const fs::path& tools)
{
    bool ok = true;
    std::vector<std::string> list;
    list.push_back("0=tool.bmp");
    list.push_back("1=tool.bmp");
    for (const ShippedTool& t : shippedTools()) {
        const std::string file = t.file;
        const std::string stem = file.substr(0, file.size() - 4);
        ok = writeFile(tools / file, bmp24(drawShippedTool(t), t.w, t.h)) && ok;
        ok = writeFile(tools / (stem + ".ini"),
                       crlfText({std::string("TOOLNAME=") + t.name, "TOOLWIDTH=" + std::to_string(t.w),
                                 "TOOLHEIGHT=" + std::to_string(t.h), std::string("CUTTINGPOINT=") + t.cuttingPoint})) &&
             ok;
        list.push_back(std::to_string(list.size()) + "=" + file);
    }
    while (list.size() < 21)
        list.push_back(std::to_string(list.size()) + "=");
    return writeFile(tools / "ToolList.ini", crlfText(list)) && ok;
}

// ---- Sounds ---------------------------------------------------------------------------

constexpr int Rate = 22050;

// A fixed-seed generator: the noise is part of the sound, not of the build.
struct Lcg
{
    uint32_t state;
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return double(state >> 8) / double(1u << 24) * 2.0 - 1.0;
    }
};

// Noise low-passed around the loop twice, so its end runs on into its start without a click.
std::vector<double> loopNoise(size_t n, uint32_t seed, double smoothing)
{
    Lcg lcg{seed};
    std::vector<double> white(n);
    for (double& v : white)
        v = lcg.next();
    std::vector<double> out(n);
    double s = 0.0;
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < n; ++i) {
            s += smoothing * (white[i] - s);
            out[i] = s;
        }
    return out;
}

struct Partial
{
    double hz;  // a whole number of cycles in the loop keeps it seamless
    double amp;
};

std::vector<double> machineLoop(double seconds, const std::vector<Partial>& partials, double wobbleHz,
                                double wobbleDepth, double noiseAmp, double noiseSmoothing, uint32_t seed)
{
    const size_t n = size_t(std::lround(seconds * Rate));
    const std::vector<double> noise = loopNoise(n, seed, noiseSmoothing);
    std::vector<double> out(n);
    for (size_t i = 0; i < n; ++i) {
        const double t = double(i) / Rate;
        double v = 0.0;
        for (const Partial& p : partials)
            v += p.amp * std::sin(2.0 * std::numbers::pi * p.hz * t);
        const double wobble = 1.0 - wobbleDepth * (0.5 + 0.5 * std::sin(2.0 * std::numbers::pi * wobbleHz * t));
        out[i] = v * wobble + noiseAmp * noise[i];
    }
    return out;
}

std::vector<uint8_t> wav16(const std::vector<double>& samples, double peak)
{
    double maxAbs = 0.0;
    for (double v : samples)
        maxAbs = std::max(maxAbs, std::fabs(v));
    const double scale = maxAbs > 0.0 ? peak * 32767.0 / maxAbs : 0.0;
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> out;
    for (char c : std::string("RIFF"))
        out.push_back(uint8_t(c));
    put32(out, 36 + dataBytes);
    for (char c : std::string("WAVEfmt "))
        out.push_back(uint8_t(c));
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, Rate);
    put32(out, Rate * 2);
    put16(out, 2);
    put16(out, 16);
    for (char c : std::string("data"))
        out.push_back(uint8_t(c));
    put32(out, dataBytes);
    for (double v : samples) {
        const long s = std::lround(v * scale);
        put16(out, uint32_t(uint16_t(int16_t(std::clamp(s, -32768L, 32767L)))));
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets <output folder>\n");
        return 2;
    }
    const fs::path root = argv[1];
    std::error_code ec;
    fs::create_directories(root / "tools", ec);
    fs::create_directories(root / "sound", ec);

    bool ok = writeFile(root / "tools" / "tool.bmp", bmp24(drawTool(), ToolW, ToolH));
    {
        const std::string ini = "TOOLNAME=Turning tool\r\n"
                                "TOOLWIDTH=67\r\n"
                                "TOOLHEIGHT=101\r\n"
                                "CUTTINGPOINT=Insert tip\r\n";
        ok = writeFile(root / "tools" / "tool.ini", std::vector<uint8_t>(ini.begin(), ini.end())) && ok;
    }
    ok = writeShippedTools(root / "tools") && ok;

    ok = writeFile(root / "splash.bmp", bmp24(drawSplash(), SplashW, SplashH)) && ok;

    // Half-second loops: every partial and wobble makes whole cycles in 0.5 s (even Hz).
    // Rapid traverse: the whine of the axis drives.
    const auto fast = machineLoop(0.5, {{660, 0.5}, {1320, 0.25}, {1980, 0.12}, {110, 0.3}}, 8, 0.15, 0.25, 0.35, 1);
    // Feed: the spindle under load and the chip noise of the cut.
    const auto slow = machineLoop(0.5, {{100, 0.6}, {200, 0.35}, {300, 0.15}, {440, 0.08}}, 4, 0.25, 0.45, 0.12, 2);
    // Paused or stopped: the machine idling, quietly.
    const auto idle = machineLoop(0.5, {{50, 0.6}, {100, 0.3}, {150, 0.1}}, 2, 0.1, 0.08, 0.05, 3);
    ok = writeFile(root / "sound" / "fast.wav", wav16(fast, 0.6)) && ok;
    ok = writeFile(root / "sound" / "SLOW.wav", wav16(slow, 0.6)) && ok;
    ok = writeFile(root / "sound" / "stop.wav", wav16(idle, 0.25)) && ok;
    if (!ok) {
        std::fprintf(stderr, "make_assets: cannot write into %s\n", root.string().c_str());
        return 1;
    }
    return 0;
}
