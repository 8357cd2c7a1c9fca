#include "platform/widgets/ColourDialog.h"

#include "platform/Hook.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ColourDialog, OpensOnItsColourAndKeepsItWhenCancelled)
{
    std::vector<qint32> openedOn;
    std::optional<qint32> answer = 255;
    const platform::ScopedHook answered(platform::SetColourDialogHandler, [&](qint32 initial) {
        openedOn.push_back(initial);
        return answer;
    });
    platform::ColourDialog com;
    com.Color = 16711680;

    EXPECT_TRUE(com.ShowColor());
    EXPECT_EQ(com.Color, 255);
    answer.reset();
    EXPECT_FALSE(com.ShowColor());
    EXPECT_EQ(com.Color, 255); // a cancel leaves the last choice
    EXPECT_EQ(openedOn, (std::vector<qint32>{16711680, 255}));
}
