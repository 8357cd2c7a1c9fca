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

    // The text of the block whose motion runs next, so a refused motion can name it.
    void SetBlockLine(const QString& line) { blockLine_ = line; }

    // The stored first block of the pattern repeating cycle; it carries over between runs.
    bool G73FirstBlockDone = false;
    qint16 G73ReliefU = 0;
    qint16 G73ReliefW = 0;
    qint16 G73Passes = 0;

private:
    void Arc(bool clockwise);
    void BoxCycle(bool turning);
    void Leg(qint16 x, qint16 z, bool rapid);
    // Refuses the current block: a message naming it, then the run stops.
    void Refuse(const QString& reason);
    // Refuses only the pattern cycle; the run goes on.
    void RefuseCycle(const QString& reason);
    // Stores a double into a 16-bit position; false (block refused) when it cannot be held.
    bool Store(qint16& into, double value);

    SharedState& state_;
    InterpreterHost& host_;
    ModCNC& cnc_;
    QString blockLine_;
    int g73FirstRow_ = -1; // grid row of the stored first block, -1 when not known
    bool passesRunning_ = false;
};
