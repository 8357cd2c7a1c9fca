#include "interpreter/GCodes.h"

#include "interpreter/InterpreterHost.h"
#include "interpreter/ModCNC.h"
#include "shared/SharedState.h"

GCodes::GCodes(SharedState& state, InterpreterHost& host, ModCNC& cnc) : state_(state), host_(host), cnc_(cnc) {}

// The motions are built in the next step; until then a block selects its motion and moves nothing.
void GCodes::RapidMove() {}
void GCodes::LinearMove() {}
void GCodes::ArcCW() {}
void GCodes::ArcCCW() {}
void GCodes::ReturnHome() {}
void GCodes::PatternRepeatCycle() {}
void GCodes::TurningCycle() {}
void GCodes::FacingCycle() {}

void GCodes::ReadToolSize(const QString& File, qint16& Height, qint16& Width)
{
    Q_UNUSED(File);
    Q_UNUSED(Height);
    Q_UNUSED(Width);
}
