#include "program/BilletLine.h"

#include <gtest/gtest.h>

TEST(BilletLine, ReadsDiameterAndLengthInPixels)
{
    struct Case { const char* line; std::optional<qint16> diameter, length; };
    const Case cases[] = {
        {"[BILLET X20 Z40", 200, 400},
        {"[BILLET Z40 X20", 200, 400},
        {"  [BILLET X2.05 Z4.25  ", 20, 42}, // 20.5 and 42.5 round to even
        {"[BILLET X20  Z40", 200, std::nullopt}, // the empty second field is looked at, Z40 not
        {"[BILLET X20 Z40 T1", 200, 400},
        {"[BILLET X20 X30", 300, std::nullopt},
        {"[BILLET T1 Z40", std::nullopt, 400},
        {"[BILLETX20 Z40", 200, 400},
    };
    for (const Case& c : cases) {
        const program::BilletReading r = program::ReadBilletLine(c.line);
        EXPECT_TRUE(r.error.isEmpty()) << c.line << ": " << r.error.toStdString();
        EXPECT_EQ(r.Diameter, c.diameter) << c.line;
        EXPECT_EQ(r.Length, c.length) << c.line;
    }
}

TEST(BilletLine, UnreadableLinesAreReportedNotGuessed)
{
    const char* lines[] = {"[BILLET", "[BILLET X20", "[BILLET X Z40", "[BILLET X2a Z40",
                           "[BILLET X20 Z9999", "[BILLET X1.2.3 Z40", "[BILLET X20 Z-40", "[BILLET X-20 Z40",
                           "[BILLET X0 Z40", "[BILLET X20 Z0.05"};
    for (const char* line : lines) {
        const program::BilletReading r = program::ReadBilletLine(line);
        EXPECT_FALSE(r.error.isEmpty()) << line;
        EXPECT_FALSE(r.Diameter) << line;
        EXPECT_FALSE(r.Length) << line;
    }
}
