#include "platform/Twips.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace platform;

// The roundings differ on purpose: a window, a cell and the simulation picture each keep the
// pixel they have always had.
TEST(Twips, EachRoundingKeepsItsRule)
{
    struct Case
    {
        int twips;
        int truncated, halfEven;
    } cases[] = {
        {22, 1, 1},         {14, 0, 1},       {8, 0, 1},     {7, 0, 0},
        {-14, 0, -1},       {-22, -1, -1},    {112, 7, 7},   {113, 7, 8},
        {6705, 447, 447},   {5655, 377, 377}, {375, 25, 25}, {9216, 614, 614},
        {-30, -2, -2},      {-75, -5, -5},    {0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixelsTruncated(c.twips), c.truncated) << c.twips;
        EXPECT_EQ(TwipsToPixelsHalfEven(c.twips), c.halfEven) << c.twips;
        EXPECT_DOUBLE_EQ(TwipsToPixelsUnrounded(c.twips), c.twips / 15.0) << c.twips;
    }
    // Halves go to the even pixel: 7.5 to 8, 6.5 to 6.
    EXPECT_EQ(TwipsToPixelsHalfEven(112.5), 8);
    EXPECT_EQ(TwipsToPixelsHalfEven(97.5), 6);
    EXPECT_EQ(TwipsToPixelsHalfEven(-97.5), -6);
    EXPECT_EQ(TwipsToPixelsHalfEven(1e12), 0);
    EXPECT_DOUBLE_EQ(TwipsToPixelsUnrounded(285), 19.0);
    EXPECT_EQ(PixelsToTwips(-2), -30);
    EXPECT_EQ(PixelsToTwips(TwipsToPixelsTruncated(22)), 15);
}

TEST(Twips, PixelMeasuresAreHeldTo16Bits)
{
    struct Case
    {
        double pixels;
        int value;
    } cases[] = {
        {7.5, 8},        {6.5, 6},         {-3.5, -4},      {235.52, 236},   {32767.4, 32767},
        {32767.5, 32767}, {40000, 32767},  {-32768.4, -32768}, {-40000, 0},
        {std::numeric_limits<double>::quiet_NaN(), 32767},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PixelsHalfEvenClamped16(c.pixels), c.value) << c.pixels;
}
