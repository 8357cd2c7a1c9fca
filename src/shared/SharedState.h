#pragma once
// The state the subsystems share during a run: run flags, picture and billet size, the
// interpreter state, the tool path of the current move and the workpiece profile. One
// object, owned by the program and handed to each module, so every test starts afresh.

#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

struct ToolPathPoint
{
    double Z = 0.0;
    double X = 0.0;
};

struct ProfileEntry
{
    qint16 Radius = 0;
    qint16 Taper = 0;
};

// The interpreter's own variables; positions are whole pixels, X a radius, Z = 0 at the
// billet's right end face and negative into the part.
struct InterpreterState
{
    qint16 TargetX = 0;
    qint16 TargetZ = 0;
    qint16 CurrentX = 0;
    qint16 CurrentZ = 0;
    qint16 GMode = 0;
    double FeedRate = 0.0; // shown as programmed; nothing else reads it
    qint16 ArcI = 0;
    qint16 ArcK = 0;
    qint16 CycleP = 0;
    qint16 CycleQ = 0;
    qint16 RadiusR = 0;
    bool RadiusGiven = false;
    qint16 ToolNumber = 0;
    qint16 SpindleSpeed = 0;
    qint16 IncU = 0;
    qint16 IncW = 0;
};

namespace shared {
constexpr int ToolCount = 21; // tool numbers 0 to 20
} // namespace shared

struct SharedState
{
    // Run flags.
    bool StopRequested = false;
    bool RunToBreakpoint = false;
    int CurrentLine = 0; // grid row being executed, 0-based

    // Simulation picture and billet, pixels.
    qint16 SimWidth = 0;
    qint16 SimHeight = 0;
    qint16 BilletLength = 0;
    qint16 BilletDiameter = 0;

    InterpreterState Cnc;

    // The move being animated.
    std::vector<ToolPathPoint> ToolPath;
    bool IsRapid = false;
    qint16 TaperMove = 0;
    double PassOffsetX = 0.0;
    double PassOffsetZ = 0.0;

    // Remaining radius per billet column (index i at program Z = -i).
    std::vector<ProfileEntry> WorkPieceProfile;

    // Tool pictures per tool number, and the size of the current tool picture.
    std::array<QString, shared::ToolCount> ToolFiles;
    qint16 ToolWidth = 0;
    qint16 ToolHeight = 0;
};
