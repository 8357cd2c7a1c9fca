#include "options/OptionsSamples.h"

#include "platform/VbNumbers.h"


namespace options {

QString EditorSampleText()
{
    return QStringLiteral("[BILLET X20 Z40\r\nG00 X20 Z0\r\nG01 Z-40");
}

std::vector<ColourRange> EditorSampleRanges(const WorkingColors& c)
{
    // Line 2 starts at 17 and line 3 at 29 (a line break counts two).
    return {
        {0, 15, c.EditorCommentColor},  // [BILLET X20 Z40
        {17, 1, c.EditorCharColor},     // G
        {21, 1, c.EditorCharColor},     // X
        {25, 1, c.EditorCharColor},     // Z
        {29, 1, c.EditorCharColor},     // G
        {33, 1, c.EditorCharColor},     // Z
        {18, 2, c.EditorIntegerColor},  // 00
        {22, 2, c.EditorIntegerColor},  // 20
        {26, 1, c.EditorIntegerColor},  // 0
        {30, 2, c.EditorIntegerColor},  // 01
        {34, 3, c.EditorIntegerColor},  // -40
    };
}

namespace {

qint32* colourFor(WorkingColors& c, std::span<const ColourEntry> entries, const QString& entry)
{
    for (const ColourEntry& e : entries)
        if (e.working && entry == QLatin1String(e.text))
            return &(c.*e.working);
    return nullptr;
}

} // namespace

qint32* EditorColourFor(WorkingColors& c, const QString& entry)
{
    return colourFor(c, EditorColourEntries, entry);
}

qint32* DebugColourFor(WorkingColors& c, const QString& entry)
{
    return colourFor(c, DebugColourEntries, entry);
}

WorkingColors WorkingColorsOf(const GlobalVariables& g)
{
    WorkingColors c;
    for (const std::span<const ColourEntry> entries : ColourLists)
        for (const ColourEntry& e : entries)
            if (e.working)
                c.*e.working = g.*e.setting->colour;
    return c;
}

void SetDefaultColours(WorkingColors& c, std::span<const ColourEntry> entries)
{
    for (const ColourEntry& e : entries)
        if (e.working)
            c.*e.working = e.setting->DefaultColour();
}

std::vector<SampleCell> DebugSampleCells(const WorkingColors& c)
{
    return {
        {1, 2, c.NormalBackColor, c.NormalTextColor, std::nullopt},
        {1, 1, MarkerBack, std::nullopt, std::nullopt},
        {2, 2, c.BreakPointColor, c.BreakPointTextColor, true},
        {2, 1, MarkerBack, std::nullopt, std::nullopt},
        {3, 2, c.ExecutionPointColor, c.ExecutionPointTextColor, std::nullopt},
        {3, 1, MarkerBack, std::nullopt, std::nullopt},
    };
}

double DebugSampleCellSize(double chosen, int col)
{
    if (col == 0) {
        const auto whole = platform::vb::ToInt16(chosen);
        if (whole && *whole > 9)
            return *whole - 2;
    }
    return chosen;
}

std::vector<SimBox> SimSampleBoxes(double h)
{
    return {
        {0, h / 2 - 30, 60, h / 2 + 30, SimBox::WorkPiece},   // the wider section
        {60, h / 2 - 20, 120, h / 2 + 20, SimBox::WorkPiece}, // the narrower one
        {60, h / 2 - 30, 60, h / 2 + 30, SimBox::Effect},     // the step's face
    };
}

} // namespace options
