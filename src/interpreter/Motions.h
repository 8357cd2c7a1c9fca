#pragma once
// The motion procedures that ExecuteMotion dispatches to. Each takes no arguments: it reads
// the current point and the target from the interpreter state, builds and animates the tool
// path, and makes the target the current point.

class Motions
{
public:
    virtual ~Motions() = default;
    virtual void RapidMove() = 0;
    virtual void LinearMove() = 0;
    virtual void ArcCW() = 0;
    virtual void ArcCCW() = 0;
    virtual void ReturnHome() = 0;
    virtual void PatternRepeatCycle() = 0;
    virtual void TurningCycle() = 0;
    virtual void FacingCycle() = 0;
};
