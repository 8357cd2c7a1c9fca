#pragma once
// What the interpreter needs of the rest of the program: the main window's status bar,
// run commands and program grid, the notice window, the tool table and tool pictures, and
// the animation of a tool path. The main window
// implements it; tests implement it with a recorder.

#include <QString>

class InterpreterHost
{
public:
    virtual ~InterpreterHost() = default;

    // Status bar: set the text of the panel with this key ("FeedRate", "Dim", ...).
    virtual void SetPanelText(const QString& key, const QString& text) = 0;

    // The main window's public run commands.
    virtual void mnuRunPause_Click() = 0;
    virtual void mnuRunStop_Click() = 0;

    // The program grid, for the pattern repeating cycle.
    virtual int GridRowCount() const = 0;
    virtual QString GridRowText(int row) const = 0;
    virtual void HighLightExecutingLine(int row) = 0;
    virtual void RemoveHighLighting(int row) = 0;

    // The notice window: its text (which loads the window when there is none), then showing
    // it for Interval ms of hold, modal when Modal is 1 (returning once it has closed).
    virtual void SetNoticeText(const QString& text) = 0;
    virtual void ShowNotice(qint16 Modal, qint16 Interval) = 0;

    // GetToolList on the Tool Library window: ToolFiles as the tool list file now stands.
    virtual void GetToolList() = 0;
    // Releases the old tool pictures and loads these (DeleteToolDCs, then LoadTool).
    virtual void ChangeTool(const QString& Path, qint16 Width, qint16 Height) = 0;

    // Animates the shared ToolPath; returns after its last point or at a stop.
    virtual void AnimateToolPath() = 0;
};
