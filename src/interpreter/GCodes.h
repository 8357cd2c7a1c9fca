#pragma once
// The motions: straight moves, return home, arcs, box cycles and the pattern repeating cycle.

#include "interpreter/Motions.h"

#include <QString>
#include <QtGlobal>

struct SharedState;
class InterpreterHost;
class ModCNC;

class GCodes : public Motions
{
public:
    GCodes(SharedState& state, InterpreterHost& host, ModCNC& cnc);

    void RapidMove() override;
    void LinearMove() override;
    void ArcCW() override;
    void ArcCCW() override;
    void ReturnHome() override;
    void PatternRepeatCycle() override;
    void TurningCycle() override;
    void FacingCycle() override;

    // Width and height of a tool from the description file beside its picture.
    static void ReadToolSize(const QString& File, qint16& Height, qint16& Width);

private:
    SharedState& state_;
    InterpreterHost& host_;
    ModCNC& cnc_;
};
