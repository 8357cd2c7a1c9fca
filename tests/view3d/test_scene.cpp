// The solid of revolution as a list of primitives, against worked profiles; and the keys.
#include "view3d/SolidOfRevolution.h"
#include "view3d/frm3D.h"

#include "platform/gui/WinColour.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

using P = view3d::Primitive;

const qint32 Blue = platform::WinRgb(0, 0, 255);

std::vector<ProfileEntry> Billet(int length, qint16 radius)
{
    return std::vector<ProfileEntry>(size_t(length) + 1, ProfileEntry{radius, 0});
}

// Run lengths are sums of 0.02 steps, so they carry the rounding of those sums.
void ExpectScene(const std::vector<P>& actual, const std::vector<P>& expected)
{
    const auto show = [](const std::vector<P>& list) {
        std::ostringstream os;
        for (const P& p : list) {
            PrintTo(p, &os);
            os << '\n';
        }
        return os.str();
    };
    bool same = actual.size() == expected.size();
    for (size_t k = 0; same && k < actual.size(); ++k) {
        const P& a = actual[k];
        const P& e = expected[k];
        same = a.kind == e.kind && a.slices == e.slices && a.stacks == e.stacks;
        for (size_t j = 0; same && j < a.v.size(); ++j)
            same = std::abs(a.v[j] - e.v[j]) < 1e-9;
    }
    EXPECT_TRUE(same) << "actual:\n" << show(actual) << "expected:\n" << show(expected);
}

std::vector<P> Scene(const std::vector<ProfileEntry>& profile, bool axes = false, double rx = 0, double ry = 0,
                     double rz = 0)
{
    view3d::SceneInput in;
    in.profile = &profile;
    in.RotX = rx;
    in.RotY = ry;
    in.RotZ = rz;
    in.ShowAxes = axes;
    in.WorkPieceColor = Blue;
    return view3d::SolidOfRevolution(in);
}

// The user's rotations and the quarter turn that lays a part of length L along x.
std::vector<P> Placed(int L, double rx = 0, double ry = 0, double rz = 0)
{
    return {P::rotate(rx, 1, 0, 0), P::rotate(ry, 0, 1, 0), P::rotate(rz, 0, 0, 1), P::rotate(90, 0, 1, 0),
            P::translate(0, 0, L / 100.0)};
}

std::vector<P> Join(std::vector<P> a, const std::vector<P>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const P Lighter = P::colour(0.1, 0.1, 1.1);
const P Body = P::colour(0, 0, 1);

} // namespace

TEST(Scene, UncutBilletIsOneCylinderBetweenLighterEndDiscs)
{
    ExpectScene(Scene(Billet(400, 100)),
                Join(Placed(400), {Lighter, P::disk(0, 2, 64, 64), Body, P::translate(0, 0, -8), P::cylinder(2, 2, 8, 64, 1),
                                   Lighter, P::disk(0, 2, 64, 64)}));
}

TEST(Scene, StraightStepGetsAFullDiscOfTheNewRadius)
{
    auto profile = Billet(400, 100);
    for (int i = 0; i <= 199; ++i)
        profile[size_t(i)].Radius = 60;
    ExpectScene(Scene(profile),
                Join(Placed(400), {Lighter, P::disk(0, 1.2, 64, 64), Body, P::translate(0, 0, -3.98),
                                   P::cylinder(1.2, 1.2, 3.98, 64, 1), P::disk(0, 2, 64, 64), P::translate(0, 0, -4.02),
                                   P::cylinder(2, 2, 4.02, 64, 1), Lighter, P::disk(0, 2, 64, 64)}));
}

TEST(Scene, TaperedStretchIsOneCone)
{
    // Columns 50 to 150 cut by one taper move from radius 100 down to 80, the rest straight.
    auto profile = Billet(400, 100);
    for (int i = 50; i <= 400; ++i)
        profile[size_t(i)].Radius = qint16(i <= 150 ? 100 - (i - 50) / 5 : 80);
    for (int i = 50; i <= 150; ++i)
        profile[size_t(i)].Taper = 1;
    ExpectScene(Scene(profile),
                Join(Placed(400), {Lighter, P::disk(0, 2, 64, 64), Body,
                                   P::translate(0, 0, -0.98), P::cylinder(2, 2, 0.98, 64, 1),
                                   // the cone: from its start radius to its last column's
                                   P::translate(0, 0, -2.02), P::cylinder(1.62, 2, 2.02, 64, 1),
                                   // the run after it starts from the column before the change
                                   P::translate(0, 0, -5), P::cylinder(1.6, 1.62, 5, 64, 1),
                                   Lighter, P::disk(0, 1.6, 64, 64)}));
}

TEST(Scene, TaperMarkChangingAtColumnZeroSkipsTwoColumns)
{
    auto profile = Billet(10, 70);
    profile[0] = {50, 1};
    profile[1].Radius = 60;
    ExpectScene(Scene(profile),
                Join(Placed(10), {Lighter, P::disk(0, 1, 64, 64), Body,
                                  P::translate(0, 0, 0), P::cylinder(1, 1.2, 0, 64, 1),
                                  // columns 1 and 2 are not compared: the part ends 0.04 short
                                  P::translate(0, 0, -0.16), P::cylinder(1.4, 1.2, 0.16, 64, 1),
                                  Lighter, P::disk(0, 1.4, 64, 64)}));
}

TEST(Scene, AxesComeBeforeTheRotationsSoTheyStayPut)
{
    const std::vector<P> axes = {P::colour(0, 0, 1), P::cylinder(0.02, 0.02, 10, 6, 6),
                                 P::rotate(90, 0, 1, 0), P::colour(1, 0, 0), P::cylinder(0.02, 0.02, 10, 6, 6),
                                 P::rotate(-90, 1, 0, 0), P::colour(0, 1, 0), P::cylinder(0.02, 0.02, 10, 6, 6),
                                 P::rotate(90, 1, 0, 0), P::rotate(-90, 0, 1, 0)};
    const auto profile = Billet(400, 100);
    const auto plain = Scene(profile, false, 12, -7, 3);
    ExpectScene(Scene(profile, true, 12, -7, 3), Join(axes, plain));
    ExpectScene(std::vector<P>(plain.begin(), plain.begin() + 5), Placed(400, 12, -7, 3));
}

TEST(Scene, ColourComesFromTheWorkpieceSettingRedInTheLowByte)
{
    view3d::SceneInput in;
    const auto profile = Billet(4, 10);
    in.profile = &profile;
    in.WorkPieceColor = platform::WinRgb(255, 51, 0);
    const auto scene = view3d::SolidOfRevolution(in);
    ExpectScene({scene[5], scene[7]}, {P::colour(1.1, 0.3, 0.1), P::colour(1, 0.2, 0)});
    const auto c = view3d::PartColour(platform::WinRgb(0, 128, 255));
    EXPECT_EQ(c[1], 128.0 / 255);
    EXPECT_EQ(c[2], 1.0);
}

// No run yet, a billet of length 0, 1 or 2, or one whose length was refused: the scene is
// built without reading past the profile, and holds the end faces at most.
TEST(Scene, ShortOrMissingProfilesBuildWithoutFailing)
{
    const std::vector<ProfileEntry> none;
    ExpectScene(Scene(none, false, 1, 2, 3), {P::rotate(1, 1, 0, 0), P::rotate(2, 0, 1, 0), P::rotate(3, 0, 0, 1)});
    view3d::SceneInput noProfile;
    EXPECT_EQ(view3d::SolidOfRevolution(noProfile).size(), 3u);

    ExpectScene(Scene(Billet(0, 25)), Join(Placed(0), {Lighter, P::disk(0, 0.5, 64, 64), Body, P::translate(0, 0, 0),
                                                       P::cylinder(0.5, 0.5, 0, 64, 1), Lighter, P::disk(0, 0.5, 64, 64)}));
    const std::vector<ProfileEntry> taperAtZero = {{25, 0}, {20, 1}};
    ExpectScene(Scene(taperAtZero),
                Join(Placed(1), {Lighter, P::disk(0, 0.5, 64, 64), Body, P::translate(0, 0, 0), P::cylinder(0.5, 0.4, 0, 64, 1),
                                 P::translate(0, 0, -0.02), P::cylinder(0.4, 0.4, 0.02, 64, 1), Lighter,
                                 P::disk(0, 0.4, 64, 64)}));
    for (const std::vector<ProfileEntry>& p : {std::vector<ProfileEntry>{{25, 1}, {25, 0}, {30, 0}},
                                               std::vector<ProfileEntry>{{25, 0}, {30, 0}},
                                               std::vector<ProfileEntry>{{25, 0}, {25, 1}, {20, 0}}}) {
        const auto scene = Scene(p);
        EXPECT_EQ(scene.back().kind, P::Kind::Disk);
    }
}

TEST(Keys, NumpadKeysCountWithNumLockOnOrOff)
{
    const auto pad = Qt::KeypadModifier;
    struct Case
    {
        int key;
        Qt::KeyboardModifiers mods;
        int code;
    } cases[] = {
        {Qt::Key_Escape, {}, 27},     {Qt::Key_X, {}, 88},          {Qt::Key_X, Qt::ShiftModifier, 88},
        {Qt::Key_F5, {}, 116},        {Qt::Key_F6, {}, 117},        {Qt::Key_0, pad, 96},
        {Qt::Key_5, pad, 101},        {Qt::Key_9, pad, 105},        {Qt::Key_Plus, pad, 107},
        {Qt::Key_Minus, pad, 109},    {Qt::Key_Insert, pad, 96},    {Qt::Key_End, pad, 97},
        {Qt::Key_Down, pad, 98},      {Qt::Key_PageDown, pad, 99},  {Qt::Key_Left, pad, 100},
        {Qt::Key_Clear, pad, 101},    {Qt::Key_Right, pad, 102},    {Qt::Key_Home, pad, 103},
        {Qt::Key_Up, pad, 104},       {Qt::Key_PageUp, pad, 105},
        // The same keys off the numpad do nothing.
        {Qt::Key_8, {}, 0},           {Qt::Key_Up, {}, 0},          {Qt::Key_Plus, {}, 0},
        {Qt::Key_Minus, {}, 0},       {Qt::Key_F12, {}, 0},         {Qt::Key_Y, {}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(frm3D::KeyCodeOf(c.key, c.mods), c.code) << std::hex << c.key << " " << int(c.mods);
}
