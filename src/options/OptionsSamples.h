#pragma once
// What the Options dialog's samples show, as plain data: the editor sample's text and its
// coloured ranges, the grid sample's cell colours, and the simulation sample's boxes.

#include "settings/GlobalVariables.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <span>
#include <vector>

// The ten editor and grid colours the dialog edits before OK saves them (Windows RGB).
struct WorkingColors
{
    qint32 EditorCharColor = 0;
    qint32 EditorIntegerColor = 0;
    qint32 EditorCommentColor = 0;
    qint32 EditorBackColor = 0;
    qint32 BreakPointColor = 0;
    qint32 BreakPointTextColor = 0;
    qint32 ExecutionPointColor = 0;
    qint32 ExecutionPointTextColor = 0;
    qint32 NormalTextColor = 0;
    qint32 NormalBackColor = 0;
};

namespace options {

// The editor sample: three lines joined by CR LF.
QString EditorSampleText();

struct ColourRange
{
    int start = 0;
    int length = 0;
    qint32 colour = 0;
};
// The ranges coloured on the editor sample, in painting order.
std::vector<ColourRange> EditorSampleRanges(const WorkingColors& colours);

// An entry of a colour list: its text, the working colour it edits and the setting that
// colour is loaded from and defaults to. The grid list's "Effect Colour" edits no working
// colour but the Simulation page's swatch.
struct ColourEntry
{
    const char* text;
    qint32 WorkingColors::*working;
    const settings::keys::Setting* setting;
};
// The two colour lists in display order.
inline constexpr std::array<ColourEntry, 4> EditorColourEntries{{
    {"Background", &WorkingColors::EditorBackColor, &settings::keys::EditorBackColor},
    {"Characters", &WorkingColors::EditorCharColor, &settings::keys::EditorCharColor},
    {"Comments", &WorkingColors::EditorCommentColor, &settings::keys::EditorCommentColor},
    {"Integers", &WorkingColors::EditorIntegerColor, &settings::keys::EditorIntegerColor},
}};
inline constexpr std::array<ColourEntry, 7> DebugColourEntries{{
    {"Break Point Back Colour", &WorkingColors::BreakPointColor, &settings::keys::BreakPointColor},
    {"Break Point Text Colour", &WorkingColors::BreakPointTextColor, &settings::keys::BreakPointTextColor},
    {"Execution Point Colour", &WorkingColors::ExecutionPointColor, &settings::keys::ExecutionPointColor},
    {"Execution Point Text Color", &WorkingColors::ExecutionPointTextColor, &settings::keys::ExecutionPointTextColor},
    {"Normal Back Colour", &WorkingColors::NormalBackColor, &settings::keys::NormalBackColor},
    {"Normal Text Colour", &WorkingColors::NormalTextColor, &settings::keys::NormalTextColor},
    {"Effect Colour", nullptr, &settings::keys::EffectColor},
}};
// Both lists, the editor's first.
inline constexpr std::array<std::span<const ColourEntry>, 2> ColourLists{std::span<const ColourEntry>(EditorColourEntries),
                                                                         std::span<const ColourEntry>(DebugColourEntries)};

// The working colour an entry's text edits (texts compared exactly), nullptr for none.
qint32* EditorColourFor(WorkingColors& colours, const QString& entry);
qint32* DebugColourFor(WorkingColors& colours, const QString& entry);

// The ten working colours as the settings block holds them.
WorkingColors WorkingColorsOf(const GlobalVariables& settings);
// Sets the working colours of a list's entries to their settings' defaults.
void SetDefaultColours(WorkingColors& colours, std::span<const ColourEntry> entries);

// One painted cell of the grid sample; an empty colour or bold is left as it is.
struct SampleCell
{
    int row = 0;
    int col = 0;
    std::optional<qint32> back;
    std::optional<qint32> text;
    std::optional<bool> bold;
};
std::vector<SampleCell> DebugSampleCells(const WorkingColors& colours);

// The marker column's colour in the grid sample.
constexpr qint32 MarkerBack = 15790320; // RGB(240, 240, 240)

// The point size of a grid sample cell for the chosen size: the line numbers two points
// smaller from 10 up.
double DebugSampleCellSize(double chosen, int col);

// A filled box of the simulation sample, corners included, in the picture's pixel scale.
struct SimBox
{
    double x1, y1, x2, y2;
    enum Part { WorkPiece, Effect } part;
};
// The two-step part around half the inner height h.
std::vector<SimBox> SimSampleBoxes(double h);

// The font sizes the lists offer.
constexpr int SmallestSize = 8;
constexpr int LargestSize = 24;

} // namespace options
