#include "interpreter/GCodes.h"

#include "interpreter/InterpreterHost.h"
#include "interpreter/ModCNC.h"
#include "platform/MessageBox.h"
#include "platform/VbNumbers.h"
#include "shared/SharedState.h"
#include "toollibrary/ToolTable.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

int sign(int v) { return (v > 0) - (v < 0); }
int sign(double v) { return (v > 0.0) - (v < 0.0); }

// The angle constants are the program's own decimals, not pi and 2 pi.
constexpr double Half = 3.14159;
constexpr double Full = 6.28318;
constexpr double AngleStep = 0.002;

} // namespace

GCodes::GCodes(SharedState& state, InterpreterHost& host, ModCNC& cnc) : state_(state), host_(host), cnc_(cnc) {}

void GCodes::Refuse(const QString& reason)
{
    cnc_.RefuseBlock(blockLine_, reason);
}

void GCodes::RefuseCycle(const QString& reason)
{
    platform::MsgBox(QStringLiteral("The pattern repeating cycle is skipped: %1").arg(reason),
                     platform::vbInformation, QStringLiteral("Error!"));
}

bool GCodes::Store(qint16& into, double value)
{
    const auto v = platform::vb::ToInt16(value);
    if (!v) {
        Refuse(QStringLiteral("a position it leads to lies outside the machine's range."));
        return false;
    }
    into = *v;
    return true;
}

void GCodes::RapidMove()
{
    InterpreterState& c = state_.Cnc;
    const int dZ = c.TargetZ - c.CurrentZ;
    const int dX = c.TargetX - c.CurrentX;
    const int n = std::max(std::abs(dZ), std::abs(dX));
    const int sZ = sign(dZ);
    const int sX = sign(dX);

    auto& path = state_.ToolPath;
    path.assign(std::size_t(n) + 1, ToolPathPoint{});
    int z = c.CurrentZ;
    int x = c.CurrentX;
    path[0] = {double(z), double(x)};
    for (int i = 1; i <= n; ++i) {
        if (z != c.TargetZ)
            z += sZ;
        if (x != c.TargetX)
            x += sX;
        path[std::size_t(i)] = {double(z), double(x)};
    }

    state_.IsRapid = true;
    host_.AnimateToolPath();
    c.CurrentX = c.TargetX;
    c.CurrentZ = c.TargetZ;
    state_.IsRapid = false;
}

void GCodes::LinearMove()
{
    InterpreterState& c = state_.Cnc;
    const int dZ = c.TargetZ - c.CurrentZ;
    const int dX = c.TargetX - c.CurrentX;
    const int n = std::max(std::abs(dZ), std::abs(dX));
    if (n == 0)
        return;

    const double stepZ = double(dZ) / n;
    const double stepX = double(dX) / n;
    state_.TaperMove = (stepX != 0.0 && stepZ != 0.0) ? 1 : 0;

    auto& path = state_.ToolPath;
    path.assign(std::size_t(n) + 1, ToolPathPoint{});
    double z = c.CurrentZ;
    double x = c.CurrentX;
    path[0] = {z, x};
    for (int i = 1; i <= n; ++i) {
        // Repeated addition: the drawn pixels depend on the rounding of these sums.
        z = z + stepZ;
        x = x + stepX;
        path[std::size_t(i)] = {z, x};
    }

    state_.IsRapid = false;
    host_.AnimateToolPath();
    c.CurrentX = c.TargetX;
    c.CurrentZ = c.TargetZ;
}

void GCodes::ReturnHome()
{
    InterpreterState& c = state_.Cnc;
    if (c.CurrentX != c.TargetX || c.CurrentZ != c.TargetZ)
        LinearMove();
    c.CurrentX = c.TargetX;
    c.CurrentZ = c.TargetZ;

    const auto homeX = platform::vb::ToInt16(state_.SimHeight / 2.0 - state_.ToolHeight - 5);
    const auto homeZ = platform::vb::ToInt16(double(state_.SimWidth - state_.BilletLength - state_.ToolWidth - 10));
    if (!homeX || !homeZ) {
        Refuse(QStringLiteral("the home position lies outside the machine's range."));
        return;
    }
    c.TargetX = *homeX;
    c.TargetZ = *homeZ;
    RapidMove();
    c.CurrentX = c.TargetX;
    c.CurrentZ = c.TargetZ;
}

void GCodes::ReadToolSize(const QString& File, qint16& Height, qint16& Width)
{
    // A size the description does not give (or no description at all) leaves it as it was.
    const toollibrary::tooltable::ToolDescription d = toollibrary::tooltable::ReadToolDescription(toollibrary::tooltable::DescriptionPath(File));
    if (const auto w = toollibrary::tooltable::SizeValue(d, QStringLiteral("TOOLWIDTH")))
        Width = *w;
    if (const auto h = toollibrary::tooltable::SizeValue(d, QStringLiteral("TOOLHEIGHT")))
        Height = *h;
}

void GCodes::ArcCW() { Arc(true); }
void GCodes::ArcCCW() { Arc(false); }

void GCodes::Arc(bool clockwise)
{
    InterpreterState& c = state_.Cnc;
    double Zs = c.CurrentZ;
    double Xs = c.CurrentX;
    const double Ze = c.TargetZ;
    const double Xe = c.TargetX;

    double r;
    if (c.RadiusGiven)
        r = c.RadiusR;
    else
        r = std::sqrt(double(c.ArcI) * c.ArcI + double(c.ArcK) * c.ArcK);
    c.RadiusGiven = false; // used up even when the arc is refused below

    if (Ze == Zs && Xe == Xs) {
        // An arc onto its own start (a re-run without a new end point) has no circle to
        // sweep: the tool is drawn once where it stands.
        state_.ToolPath.assign(1, ToolPathPoint{Zs, Xs});
        state_.IsRapid = false;
        host_.AnimateToolPath();
        c.CurrentX = c.TargetX;
        c.CurrentZ = c.TargetZ;
        return;
    }

    double h;
    if (std::abs(Xe - Xs) < 0.1) {
        Xs = Xs - 0.01; // keeps the bisector's slope finite
        h = std::abs(Zs - Ze) / 2;
    } else {
        h = std::sqrt((Zs - Ze) * (Zs - Ze) + (Xs - Xe) * (Xs - Xe)) / 2;
    }

    const double theta = std::atan((Zs - Ze) / (Xe - Xs));
    const double Mz = (Zs + Ze) / 2;
    const double Mx = (Xs + Xe) / 2;

    if (std::abs(r) < h) {
        platform::MsgBox(QStringLiteral("Value of Radius is too small to draw"), platform::vbInformation,
                         QStringLiteral("Error!"));
        return;
    }

    const double d = std::sqrt(std::max(0.0, r * r - h * h)); // a half circle must not give NaN
    // The plain sign product also covers chords parallel to X and a start equal to the end.
    const int side = sign(r) * sign(Xe - Xs);
    const double sigma = clockwise ? side : -side;
    const double Cz = Mz + sigma * d * std::cos(theta);
    const double Cx = Mx + sigma * d * std::sin(theta);

    if (std::abs(Zs - Cz) < 0.1)
        Zs = Zs + 0.1;
    double alpha;
    {
        const double a = Xs - Cx;
        const double b = Zs - Cz;
        const double a0 = std::atan(std::abs(a) / std::abs(b));
        if (b > 0 && a > 0)
            alpha = a0;
        else if (b < 0 && a >= 0)
            alpha = Half - a0;
        else if (b < 0 && a < 0)
            alpha = Half + a0;
        else
            alpha = Full - a0;
    }

    double beta;
    {
        double ZeAdj = Ze;
        if (std::abs(ZeAdj - Cz) < 0.1)
            ZeAdj = ZeAdj + 0.1;
        const double a = Xe - Cx;
        const double b = ZeAdj - Cz;
        const double b0 = std::atan(std::abs(a) / std::abs(b));
        if (b >= 0 && a >= 0)
            beta = b0;
        else if (b < 0 && a >= 0)
            beta = Half - b0;
        else if (b < 0 && a < 0)
            beta = Half + b0;
        else
            beta = Full - b0;
    }

    auto& path = state_.ToolPath;
    path.assign(1, ToolPathPoint{Zs, Xs});
    const double radius = std::abs(r);
    if (clockwise) {
        if (beta > alpha)
            beta = beta - Full;
        for (double t = alpha; t >= beta; t = t + -AngleStep)
            path.push_back({Cz + radius * std::cos(t), Cx + radius * std::sin(t)});
        state_.IsRapid = false;
    } else {
        if (beta < alpha)
            alpha = alpha - Full;
        for (double t = alpha; t <= beta; t = t + AngleStep)
            path.push_back({Cz + radius * std::cos(t), Cx + radius * std::sin(t)});
    }

    host_.AnimateToolPath();
    c.CurrentX = c.TargetX;
    c.CurrentZ = c.TargetZ;
}

void GCodes::TurningCycle() { BoxCycle(true); }
void GCodes::FacingCycle() { BoxCycle(false); }

void GCodes::Leg(qint16 x, qint16 z, bool rapid)
{
    InterpreterState& c = state_.Cnc;
    c.TargetX = x;
    c.TargetZ = z;
    if (rapid)
        RapidMove();
    else
        LinearMove();
    c.CurrentX = c.TargetX;
    c.CurrentZ = c.TargetZ;
}

void GCodes::BoxCycle(bool turning)
{
    InterpreterState& c = state_.Cnc;
    // Copies: a Stop during a leg resets the shared positions, not the box.
    const qint16 x0 = c.CurrentX;
    const qint16 z0 = c.CurrentZ;
    const qint16 x1 = c.TargetX;
    const qint16 z1 = c.TargetZ;
    int t = 0;
    if (c.RadiusGiven) {
        t = c.RadiusR;
        c.RadiusGiven = false;
    }

    const auto approach = platform::vb::ToInt16(double((turning ? x1 : z1) + t));
    if (!approach) {
        Refuse(QStringLiteral("its taper carries the cycle outside the machine's range."));
        return;
    }

    if (turning) {
        Leg(*approach, z0, true);
        Leg(x1, z1, false);
        Leg(x0, z1, false);
    } else {
        Leg(x0, *approach, true);
        Leg(x1, z1, false);
        Leg(x1, z0, false);
    }
    Leg(x0, z0, true);

    c.CurrentX = x0;
    c.CurrentZ = z0;
    c.TargetX = x1;
    c.TargetZ = z1;
}

void GCodes::PatternRepeatCycle()
{
    InterpreterState& c = state_.Cnc;

    if (!G73FirstBlockDone) {
        G73FirstBlockDone = true;
        g73FirstRow_ = passesRunning_ ? -1 : state_.CurrentLine;
        G73ReliefW = c.IncW;
        const auto reliefU = platform::vb::ToInt16(c.IncU * 2.0);
        const auto passes = platform::vb::ToInt16(c.RadiusR / 10.0);
        c.RadiusGiven = false;
        if (!reliefU || !passes) {
            G73FirstBlockDone = false;
            Refuse(QStringLiteral("its relief lies outside the machine's range."));
            return;
        }
        G73ReliefU = *reliefU;
        G73Passes = *passes;
        // The block's U and W words are the relief, not a move.
        if (!Store(c.TargetX, double(c.TargetX - c.IncU)) || !Store(c.TargetZ, double(c.TargetZ - c.IncW)))
            G73FirstBlockDone = false;
        return;
    }

    const double x0 = c.CurrentX;
    const double z0 = c.CurrentZ;
    G73FirstBlockDone = false;
    const int firstRow = g73FirstRow_;
    g73FirstRow_ = -1;
    c.CycleP = *platform::vb::ToInt16(c.CycleP / 10.0);
    c.CycleQ = *platform::vb::ToInt16(c.CycleQ / 10.0);
    if (!Store(c.TargetX, double(c.TargetX - c.IncU)) || !Store(c.TargetZ, double(c.TargetZ - c.IncW)))
        return;

    // The block numbers are found as plain text, so P3 also finds N30.
    const QString keyP = QStringLiteral("N%1").arg(c.CycleP);
    const QString keyQ = QStringLiteral("N%1").arg(c.CycleQ);
    const int rows = host_.GridRowCount();
    int startRow = -1;
    for (int i = 0; i < rows && startRow < 0; ++i)
        if (host_.GridRowText(i).contains(keyP))
            startRow = i;
    if (startRow < 0) {
        RefuseCycle(QStringLiteral("no program line holds %1.").arg(keyP));
        return;
    }
    int endRow = -1;
    for (int i = startRow + 1; i < rows && endRow < 0; ++i)
        if (host_.GridRowText(i).contains(keyQ))
            endRow = i;
    if (endRow < 0) {
        RefuseCycle(QStringLiteral("no program line after the one holding %1 holds %2.").arg(keyP, keyQ));
        return;
    }
    // A cycle run from within the passes of another would repeat itself without end.
    if (passesRunning_) {
        RefuseCycle(QStringLiteral("its G73 blocks lie within the lines another G73 cycle repeats."));
        return;
    }
    auto inRange = [&](int row) { return row >= startRow && row <= endRow; };
    if (inRange(state_.CurrentLine) || inRange(firstRow)) {
        RefuseCycle(QStringLiteral("the lines from %1 to %2 include the cycle's own G73 blocks.").arg(keyP, keyQ));
        return;
    }

    state_.PassOffsetX = G73ReliefU;
    state_.PassOffsetZ = G73ReliefW;
    passesRunning_ = true;
    const QString ownLine = blockLine_;
    int highlighted = -1;
    auto finish = [&] {
        // Stop clears the run loop's row, not the contour rows the cycle lit; a later pass
        // starts without clearing the previous pass's last row, so clear them all.
        if (state_.StopRequested && highlighted >= 0)
            for (int r = startRow; r <= endRow; ++r)
                host_.RemoveHighLighting(r);
        state_.PassOffsetX = 0;
        state_.PassOffsetZ = 0;
        passesRunning_ = false;
        blockLine_ = ownLine;
    };

    for (int pass = 1; pass <= G73Passes; ++pass) {
        for (int i = startRow; i <= endRow; ++i) {
            if (state_.StopRequested) {
                finish();
                return;
            }
            host_.RemoveHighLighting(i - 1);
            host_.HighLightExecutingLine(i);
            highlighted = i;
            const QString text = host_.GridRowText(i);
            if (text.startsWith(u'['))
                continue;
            const qsizetype p = text.indexOf(u'[');
            cnc_.ExecuteBlock(p < 0 ? text : text.left(p));
            blockLine_ = ownLine;
        }

        if (!Store(c.TargetX, x0 + state_.PassOffsetX + c.IncU)
            || !Store(c.TargetZ, state_.PassOffsetZ + z0 + c.IncW)) {
            finish();
            return;
        }
        // One pass has no further pass to step towards: the move back runs, the steps do not.
        const bool more = G73Passes > 1;
        if (more
            && (!Store(c.CurrentX, c.CurrentX + state_.PassOffsetX / (G73Passes - 1))
                || !Store(c.CurrentZ, c.CurrentZ + state_.PassOffsetZ / (G73Passes - 1)))) {
            finish();
            return;
        }
        LinearMove();
        if (more) {
            state_.PassOffsetX = state_.PassOffsetX - G73ReliefU / double(G73Passes - 1) + c.IncU;
            state_.PassOffsetZ = state_.PassOffsetZ - G73ReliefW / double(G73Passes - 1) + c.IncW;
        }
    }

    state_.CurrentLine = endRow;
    finish();
}
