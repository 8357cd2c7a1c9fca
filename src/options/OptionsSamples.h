#pragma once
// What the Options dialog's samples show, as plain data: the editor sample's text and its
// coloured ranges, the grid sample's cell colours, and the simulation sample's boxes.

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
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

// The entries of the two colour lists, in display order, and the working colour each edits
// (names compared exactly). nullptr for an entry that edits no working colour.
qint32* EditorColourFor(WorkingColors& colours, const QString& entry);
qint32* DebugColourFor(WorkingColors& colours, const QString& entry);
inline const std::array<const char*, 4> EditorColourEntries{"Background", "Characters", "Comments", "Integers"};
inline const std::array<const char*, 7> DebugColourEntries{
    "Break Point Back Colour", "Break Point Text Colour", "Execution Point Colour", "Execution Point Text Color",
    "Normal Back Colour",      "Normal Text Colour",      "Effect Colour"};

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
