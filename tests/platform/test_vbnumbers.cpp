#include "platform/VbNumbers.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace platform::vb;

TEST(VbNumbers, NumberGrammar)
{
    struct Case { const char16_t* text; bool numeric; };
    const Case cases[] = {
        {u"0", true},   {u"12", true},    {u"+5", true},  {u"-.5", true}, {u".5", true},
        {u"5.", true},  {u"-40", true},   {u"0.25", true},
        {u"", false},   {u"-", false},    {u"+", false},  {u".", false},  {u"1.2.3", false},
        {u"1A", false}, {u"1e3", false},  {u" 5", false}, {u"5 ", false}, {u"--5", false},
        {u"5-", false}, {u"1,5", false},  {u"\t5", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNumeric(c.text), c.numeric) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(ParseNumber(c.text).has_value(), c.numeric) << QString::fromUtf16(c.text).toStdString();
    }
    EXPECT_DOUBLE_EQ(*ParseNumber(u"-.5"), -0.5);
    EXPECT_DOUBLE_EQ(*ParseNumber(u"5."), 5.0);
    EXPECT_DOUBLE_EQ(*ParseNumber(u"+12.75"), 12.75);
}

TEST(VbNumbers, ParsingIsCorrectlyRoundedSoScalingMatches)
{
    // 0.35 x 10 is 3.5 in double: the rounding to 4 depends on it.
    EXPECT_EQ(*ParseNumber(u"0.35") * 10.0, 3.5);
    EXPECT_EQ(*ToInt16(*ParseNumber(u"0.35") * 10.0), 4);
    EXPECT_EQ(*ToInt16(*ParseNumber(u"0.25") * 10.0), 2);
}

TEST(VbNumbers, RoundsHalfToEvenAndChecksRange)
{
    struct Case { double in; std::optional<qint16> out; };
    const Case cases[] = {
        {2.5, 2},          {3.5, 4},         {-2.5, -2},       {-3.5, -4},     {0.5, 0},
        {1.5, 2},          {2.4999, 2},      {2.5001, 3},      {32767.0, 32767}, {32767.4, 32767},
        {32767.5, std::nullopt},             {-32768.0, -32768}, {-32768.5, -32768},
        {-32769.0, std::nullopt},            {70000.0, std::nullopt}, {std::nan(""), std::nullopt},
        {INFINITY, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToInt16(c.in), c.out) << c.in;
    EXPECT_EQ(TextToInt16(u"11.5"), qint16(12));
    EXPECT_EQ(TextToInt16(u"10.5"), qint16(10));
    EXPECT_EQ(TextToInt16(u"X"), std::nullopt);
}

TEST(VbNumbers, StoredNumbersMayCarryBlanks)
{
    EXPECT_EQ(ParseStoredNumber(u"  12 "), 12.0);
    EXPECT_EQ(ParseStoredNumber(u"\t-3\t"), -3.0);
    EXPECT_FALSE(ParseStoredNumber(u"1 2"));
    EXPECT_FALSE(ParseStoredNumber(u"   "));
}

TEST(VbNumbers, FormatsShortestPlainDecimal)
{
    struct Case { double in; const char* out; };
    const Case cases[] = {
        {100, "100"}, {0.25, "0.25"}, {0.2, "0.2"}, {5, "5"}, {-3.5, "-3.5"}, {-0.0, "0"},
        {0.1, "0.1"}, {1e21, "1000000000000000000000"}, {0.0001, "0.0001"}, {123456.789, "123456.789"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNumber(c.in).toStdString(), c.out);
}

TEST(VbNumbers, TruthValues)
{
    EXPECT_EQ(ParseTruth(u"True"), true);
    EXPECT_EQ(ParseTruth(u"true"), true);
    EXPECT_EQ(ParseTruth(u"FALSE"), false);
    EXPECT_EQ(ParseTruth(u"1"), true);
    EXPECT_EQ(ParseTruth(u"-1"), true);
    EXPECT_EQ(ParseTruth(u"0"), false);
    EXPECT_EQ(ParseTruth(u"yes"), std::nullopt);
    EXPECT_EQ(ParseTruth(u""), std::nullopt);
    EXPECT_EQ(TruthText(true), QStringLiteral("True"));
}
