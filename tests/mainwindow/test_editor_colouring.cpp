#include "mainwindow/SyntaxColouring.h"

#include "platform/gui/WinColour.h"

#include <gtest/gtest.h>

TEST(UncolouredTextColour, ReadableOnAnyBackground)
{
    EXPECT_EQ(mainwindow::UncolouredTextColour(platform::WinRgb(255, 255, 255)), 0);
    EXPECT_EQ(mainwindow::UncolouredTextColour(platform::WinRgb(0, 0, 0)), platform::WinRgb(255, 255, 255));
    EXPECT_EQ(mainwindow::UncolouredTextColour(platform::WinRgb(0, 0, 128)), platform::WinRgb(255, 255, 255));
}
