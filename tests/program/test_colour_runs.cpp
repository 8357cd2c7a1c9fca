#include "ColourClasses.h"
#include "program/ColourRuns.h"

#include <gtest/gtest.h>

TEST(ColourRuns, EveryCharacterClass)
{
    const struct { const char* text; const char* expected; } cases[] = {
        {"G01 X10.5 [CUT\r\n", "LIIILIIIIICCCC.."},
        {"[A\r\n[B\r\nG1", "CC..CC..LI"},         // consecutive comments, each to its own line
        {"[BILLET X20 Z40", "CCCCCCCCCCCCCCC"},    // last line without a break
        {"X+5\t/-", "L.I..I"},
        {"", ""},
        {"\r\n\r\n", "...."},
        {"[", "C"},
        {"[\r\nX", "C..L"},
        {"z9 [a [b] 1\r\ng", "LIICCCCCCCC..L"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColourClasses(QString::fromLatin1(c.text)), QString::fromLatin1(c.expected))
            << c.text;
    }
    // Letters outside A to Z are not letters here.
    EXPECT_EQ(ColourClasses(QString::fromUtf8("\xc3\xa9X")), ".L");
}

TEST(ColourRuns, NeighboursOfOneColourAreJoined)
{
    const std::vector<program::ColourRun> runs = program::ColourRuns("GX 10[C\r\nM");
    const std::vector<program::ColourRun> expected = {
        {0, 2, program::SyntaxColour::Character}, {2, 3, program::SyntaxColour::Integer}, {5, 2, program::SyntaxColour::Comment},
        {9, 1, program::SyntaxColour::Character}};
    EXPECT_EQ(runs, expected);
}

TEST(ColourRuns, LongTextsAreColouredToTheEnd)
{
    QString text;
    while (text.size() < 40000)
        text += "G1 X10 [c\r\n";
    const std::vector<program::ColourRun> runs = program::ColourRuns(text);
    ASSERT_FALSE(runs.empty());
    EXPECT_EQ(runs.back().start + runs.back().length, text.size() - 2);
}
