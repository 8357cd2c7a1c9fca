#pragma once
// Block execution: one program line's address words applied to the interpreter state, then
// the motion of the modal G code.

#include "interpreter/Motions.h"

#include <QString>
#include <memory>

struct SharedState;
class InterpreterHost;
class GCodes;

class ModCNC
{
public:
    ModCNC(SharedState& state, InterpreterHost& host);
    ~ModCNC();

    // Re-entrant: the pattern repeating cycle runs other blocks from inside a motion.
    void ExecuteBlock(const QString& Line);
    void ParseWord(const QString& Word);
    void SetGCode(const QString& Word);
    void ExecuteMotion();
    void ExecuteMCode(const QString& Word);
    // Shows the notice window with the text already set; Modal 1 waits until it has closed.
    void ShowNotice(qint16 Modal, qint16 Interval);

    // Refuses the block `line`: a critical message naming the line and the reason, then the
    // run is stopped through the main window. Used for values the machine cannot hold.
    void RefuseBlock(const QString& line, const QString& reason);

    GCodes& gcodes() { return *gcodes_; }
    // Tests replace the motions to see which one a block chooses.
    void SetMotionsForTesting(Motions* motions) { motions_ = motions; }

private:
    // Why the block cannot run, or an empty text when every word it uses can be read.
    QString FindUnreadableWord(const QString& Line) const;
    void notice(const QString& text, qint16 interval, bool modal = false);
    void spindlePanels(const QString& direction);
    void ChangeTool();

    SharedState& state_;
    InterpreterHost& host_;
    std::unique_ptr<GCodes> gcodes_;
    Motions* motions_;
};
