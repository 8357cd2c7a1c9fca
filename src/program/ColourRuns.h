#pragma once
// Which characters of the program text the colouring pass colours, and how.

#include <QString>
#include <vector>

namespace program {

enum class SyntaxColour { Comment, Character, Integer };

// A stretch of characters of one colour, in positions of the text (CR LF counts two).
struct ColourRun
{
    int start = 0;
    int length = 0;
    SyntaxColour colour = SyntaxColour::Character;
    bool operator==(const ColourRun&) const = default;
};

// The coloured stretches in text order, neighbours of one colour joined: a comment from "["
// to the end of its line (its CR LF excluded), letters A to Z and a to z, and digits, "-",
// " " and ".". Every other character (tab, "+", "/", CR, LF, ...) lies in no run.
std::vector<ColourRun> ColourRuns(const QString& text);

} // namespace program
