#pragma once
// The turned part as a solid of revolution, computed without a GL context: the walk over the
// workpiece profile yields the list of colours, rotations, translations, cylinders and discs
// that the 3D window compiles into its display list, in the order they are issued.

#include "shared/SharedState.h"

#include <QtGlobal>
#include <array>
#include <iosfwd>
#include <vector>

namespace view3d {

struct Primitive
{
    enum class Kind { Colour, Rotate, Translate, Cylinder, Disk };

    Kind kind = Kind::Colour;
    // Colour: r, g, b. Rotate: angle (degrees), x, y, z. Translate: x, y, z.
    // Cylinder: base radius, top radius, height. Disk: inner radius, outer radius.
    std::array<double, 4> v{};
    int slices = 0; // Cylinder, Disk
    int stacks = 0; // Cylinder: stacks; Disk: loops

    static Primitive colour(double r, double g, double b) { return {Kind::Colour, {r, g, b, 0}}; }
    static Primitive rotate(double angle, double x, double y, double z) { return {Kind::Rotate, {angle, x, y, z}}; }
    static Primitive translate(double x, double y, double z) { return {Kind::Translate, {x, y, z, 0}}; }
    static Primitive cylinder(double base, double top, double height, int slices, int stacks)
    {
        return {Kind::Cylinder, {base, top, height, 0}, slices, stacks};
    }
    static Primitive disk(double inner, double outer, int slices, int loops)
    {
        return {Kind::Disk, {inner, outer, 0, 0}, slices, loops};
    }
};

void PrintTo(const Primitive& p, std::ostream* os);

// What one build of the scene reads.
struct SceneInput
{
    const std::vector<ProfileEntry>* profile = nullptr; // none before the first run
    double RotX = 0.0;
    double RotY = 0.0;
    double RotZ = 0.0;
    bool ShowAxes = false;
    qint32 WorkPieceColor = 0;
};

// The colour of the solid from a Windows RGB value (red in the low byte), each part 0 to 1.
std::array<double, 3> PartColour(qint32 WorkPieceColor);

// The scene: the optional axes, the user's rotations, the quarter turn that lays the part
// along x, and the walk over the profile. Without a profile the scene holds the axes and
// rotations only; a profile too short for the walk reads its last entry where it runs out.
std::vector<Primitive> SolidOfRevolution(const SceneInput& in);

} // namespace view3d
