#pragma once
// The settings block: every font, colour, width and option the program reads, loaded from
// the per-user store. Colours are Windows RGB values (red in the low byte).

#include <QString>
#include <QtGlobal>

namespace platform { class SettingsStore; }

inline const QString AppName = QStringLiteral("CNC");

class GlobalVariables
{
public:
    // "TextEditor"
    QString EditorFontName;
    qint16 EditorFontSize = 0;
    qint32 EditorCharColor = 0;
    qint32 EditorIntegerColor = 0;
    qint32 EditorCommentColor = 0;
    qint32 EditorBackColor = 0;
    qint16 EditorBold = 0;
    // "General"
    qint16 AutoComplete = 0;
    qint16 AutoReformat = 0;
    qint16 OpenLastFile = 0;
    qint16 SplashScreen = 0;
    // "Debug"
    QString DebugFontName;
    qint16 DebugFontSize = 0;
    qint32 BreakPointColor = 0;
    qint32 BreakPointTextColor = 0;
    qint32 ExecutionPointColor = 0;
    qint32 ExecutionPointTextColor = 0;
    qint32 NormalTextColor = 0;
    qint32 NormalBackColor = 0;
    qint16 DebugC0Width = 0;
    qint16 DebugC1Width = 0;
    qint16 DebugC2Width = 0;
    qint16 DebugRowHeight = 0;
    qint16 DebugGrid = 0;
    qint16 DebugLineNumbers = 0;
    // "SimulationWindow"
    qint32 WorkPieceColor = 0;
    qint32 SimBackColor = 0;
    qint32 EffectColor = 0;

    // Writes the 28 keys with their defaults, in the order the store has always had them.
    static void SaveDefaultSettings(platform::SettingsStore& store);
    // Fills the block from the store; on the first run (no "TextEditor" "Font") writes the
    // defaults first. Absent, empty or unreadable values take their defaults.
    void LoadSettings(platform::SettingsStore& store);
};
