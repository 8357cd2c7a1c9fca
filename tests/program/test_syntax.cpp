#include "program/SyntaxCheck.h"

#include <gtest/gtest.h>

using namespace program::syntax;

TEST(ReformatText, CanonicalLayout)
{
    const struct { const char* in; const char* out; } cases[] = {
        {"g1x10.5 z-3 [cut", "G1 X10.5 Z-3 [cut"},
        {"N10G01X20Z-40F100", "N10 G01 X20 Z-40 F100"},
        {"x 1 0", "X10"},
        {"G1\r\n  \t \t\r\nG0", "G1\r\nG0"},            // a line of blanks and tabs disappears
        {"G1 X1\r\n\r\n", "G1 X1\r\n"},                  // two trailing breaks give one
        {"G1\r\n", "G1\r\n"},
        {"G1\r\n   \r\n", "G1\r\n"},
        {"", ""},
        {"\r\n\r\n", ""},
        {"[Billet  X20\tz40 \r\n\r\n[second", "[Billet  X20\tz40\r\n[second"}, // comments as typed
        {"g0x5[a[b", "G0 X5 [a[b"},                      // the first "[" starts the comment
        {"  \tg0  ", "G0"},
        {"100 g1", "100 G1"},
        {"x+5y/2", "X+5 Y/2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReformatText(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
}

TEST(CheckSyntax, FirstErrorWithItsSelectionAndMessage)
{
    const struct { const char* text; int kind, start, length; const char* message; } cases[] = {
        {"G20", 4, 0, 3, "G20 is not a valid G Code"},
        {"G99", 4, 0, 3, "G99 is not a valid G Code"},
        {"G-1", 4, 0, 3, "G-1 is not a valid G Code"},
        {"G5", 4, 0, 2, "G5 is not a valid G Code"},
        {"G4.6", 4, 0, 4, "G4.6 is not a valid G Code"},       // rounds to 5
        {"G99999", 4, 0, 6, "G99999 is not a valid G Code"},   // beyond 16 bits
        {"G1 X", 3, 4, 0, "This is not a valid numeric value"}, // lone letter: empty selection after it
        {"G1 X1.2.3", 3, 4, 5, "This is not a valid numeric value"},
        {"X-", 3, 1, 1, "This is not a valid numeric value"},
        {"X5-", 3, 1, 2, "This is not a valid numeric value"},
        {"100", 2, 0, 1, "Missing Character at this position."},
        {"G1\r\n-5 X1", 2, 4, 1, "Missing Character at this position."},
        {"H10", 1, 0, 1, "An invalid character 'H' was found."},
        {"G1 X1\r\nZ1 Y2", 1, 10, 1, "An invalid character 'Y' was found."},
        {"G1 X1,5", 1, 5, 1, "An invalid character ',' was found."},
        {"G1 X\t1", 1, 4, 1, "An invalid character '\t' was found."},
        {"g1 x1 y", 1, 6, 1, "An invalid character 'y' was found."},
        {"G1  X1 H", 1, 7, 1, "An invalid character 'H' was found."}, // two blanks: positions stay right
    };
    for (const auto& c : cases) {
        const auto e = CheckSyntax(QString::fromLatin1(c.text));
        ASSERT_TRUE(e.has_value()) << c.text;
        EXPECT_EQ(e->kind, c.kind) << c.text;
        EXPECT_EQ(e->selStart, c.start) << c.text;
        EXPECT_EQ(e->selLength, c.length) << c.text;
        EXPECT_EQ(e->message, QString::fromLatin1(c.message)) << c.text;
    }
}

TEST(CheckSyntax, AcceptedForms)
{
    const char* cases[] = {
        "G71", "G72", "G97", "G98", "G1.5", "G2.5", "G0.4", "G2.6", "G00", "G+1",
        "X+5", "X-.5", "X5.", "G1 X10.5 Z-3 [cut", "[BILLET X20 Z40",
        "", "[only a comment\r\n[and another", "N10 G01 X20 Z-40 F100\r\nM30\r\n",
        "G1 [ H is in a comment", "f100 s500 t1 m3 p1 q2 r3 i4 k5 u6 w7",
    };
    for (const char* text : cases)
        EXPECT_FALSE(CheckSyntax(QString::fromLatin1(text)).has_value()) << text;
}

TEST(CheckSyntax, AcceptedGNumbers)
{
    std::vector<int> accepted;
    for (int g = -5; g <= 120; ++g)
        if (IsAcceptedGCode(g))
            accepted.push_back(g);
    EXPECT_EQ(accepted, (std::vector<int>{0, 1, 2, 3, 4, 21, 28, 70, 71, 72, 73, 90, 94, 97, 98}));
}
