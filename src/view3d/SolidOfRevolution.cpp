#include "view3d/SolidOfRevolution.h"

#include <algorithm>
#include <ostream>

namespace view3d {

namespace {

constexpr int Slices = 64;
constexpr double PixelsPerUnit = 50.0;

void axes(std::vector<Primitive>& out)
{
    // Rods from the origin, drawn before the user's rotations so that they stay put.
    const auto rod = [&out] { out.push_back(Primitive::cylinder(0.02, 0.02, 10, 6, 6)); };
    out.push_back(Primitive::colour(0, 0, 1));
    rod();
    out.push_back(Primitive::rotate(90, 0, 1, 0));
    out.push_back(Primitive::colour(1, 0, 0));
    rod();
    out.push_back(Primitive::rotate(-90, 1, 0, 0));
    out.push_back(Primitive::colour(0, 1, 0));
    rod();
    out.push_back(Primitive::rotate(90, 1, 0, 0));
    out.push_back(Primitive::rotate(-90, 0, 1, 0));
}

} // namespace

void PrintTo(const Primitive& p, std::ostream* os)
{
    static const char* const names[] = {"Color", "Rotate", "Translate", "Cylinder", "Disk"};
    *os << names[int(p.kind)] << '(';
    const int n = p.kind == Primitive::Kind::Rotate ? 4 : p.kind == Primitive::Kind::Disk ? 2 : 3;
    for (int k = 0; k < n; ++k)
        *os << (k ? ", " : "") << p.v[size_t(k)];
    if (p.kind == Primitive::Kind::Cylinder || p.kind == Primitive::Kind::Disk)
        *os << "; " << p.slices << ", " << p.stacks;
    *os << ')';
}

std::array<double, 3> PartColour(qint32 WorkPieceColor)
{
    const auto v = quint32(WorkPieceColor);
    return {double(v & 0xFFu) / 255, double((v >> 8) & 0xFFu) / 255, double((v >> 16) & 0xFFu) / 255};
}

std::vector<Primitive> SolidOfRevolution(const SceneInput& in)
{
    std::vector<Primitive> out;
    if (in.ShowAxes)
        axes(out);
    out.push_back(Primitive::rotate(in.RotX, 1, 0, 0));
    out.push_back(Primitive::rotate(in.RotY, 0, 1, 0));
    out.push_back(Primitive::rotate(in.RotZ, 0, 0, 1));
    if (!in.profile || in.profile->empty())
        return out;

    const std::vector<ProfileEntry>& profile = *in.profile;
    const int L = int(profile.size()) - 1;
    // Profiles of fewer than three entries: where the walk reads past the last entry, it
    // reads the last one.
    const auto R = [&](int k) { return int(profile[size_t(std::clamp(k, 0, L))].Radius); };
    const auto T = [&](int k) { return int(profile[size_t(std::clamp(k, 0, L))].Taper); };

    const auto [red, green, blue] = PartColour(in.WorkPieceColor);
    const Primitive lighter = Primitive::colour(red + 0.1, green + 0.1, blue + 0.1);

    out.push_back(Primitive::rotate(90, 0, 1, 0));
    out.push_back(Primitive::translate(0, 0, L / 100.0));
    out.push_back(lighter);
    out.push_back(Primitive::disk(0, R(0) / PixelsPerUnit, Slices, Slices));
    out.push_back(Primitive::colour(red, green, blue));

    int i = 0;
    double runLength = 0;
    int previousRadius = R(0);
    int startRadius = R(1);
    // The run's far end is where the current origin ends up; the next run starts there.
    const auto closeRun = [&] {
        out.push_back(Primitive::translate(0, 0, -runLength));
        out.push_back(Primitive::cylinder(previousRadius / PixelsPerUnit, startRadius / PixelsPerUnit, runLength, Slices, 1));
    };
    while (i < L) {
        if (T(i) != T(i + 1)) {
            closeRun();
            if (i == 0)
                i = 2;
            startRadius = R(i - 1);
            runLength = 0;
        } else if (R(i) != R(i + 1) && T(i) == 0) {
            closeRun();
            if (i != 0)
                startRadius = R(i + 1);
            if (runLength > 0.1)
                out.push_back(Primitive::disk(0, R(i + 1) / PixelsPerUnit, Slices, Slices));
            runLength = 0;
        }
        previousRadius = R(i);
        runLength = runLength + 0.02;
        i = i + 1;
    }
    closeRun();
    out.push_back(lighter);
    out.push_back(Primitive::disk(0, previousRadius / PixelsPerUnit, Slices, Slices));
    return out;
}

} // namespace view3d
