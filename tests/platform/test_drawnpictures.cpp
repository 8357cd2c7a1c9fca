#include "platform/widgets/DrawnPictures.h"

#include <gtest/gtest.h>

#include <QSet>

// The program grid keeps one table entry per picture cache key: a gutter picture drawn anew
// for every row would grow the table with each breakpoint.
TEST(DrawnPictures, GutterPicturesAreDrawnOnceAndShared)
{
    QSet<qint64> keys;
    for (const char* key : {"Break", "Step", "Both"}) {
        const QPixmap first = platform::GutterPicture(key);
        ASSERT_FALSE(first.isNull()) << key;
        EXPECT_EQ(first.size(), QSize(14, 14)) << key;
        EXPECT_EQ(platform::GutterPicture(key).cacheKey(), first.cacheKey()) << key;
        keys.insert(first.cacheKey());
    }
    EXPECT_EQ(keys.size(), 3);
    EXPECT_TRUE(platform::GutterPicture("Nothing").isNull());
}

TEST(DrawnPictures, EachPictureHasTheSizeItsPlaceExpects)
{
    const struct { const char* name; QSize size, expected; } cases[] = {
        {"Options band", platform::OptionsBandPicture().size(), {132, 475}},
        {"Options tool", platform::OptionsToolPicture().size(), {34, 51}},
        {"Tool Library header", platform::ToolLibraryHeaderPicture().size(), {240, 47}},
        {"toolbar, enabled", platform::ToolbarPicture("Start", true).size(), {24, 24}},
        {"toolbar, disabled", platform::ToolbarPicture("Start", false).size(), {24, 24}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.size, c.expected) << c.name;

    // An unknown toolbar key draws nothing on the picture.
    const QImage unknown = platform::ToolbarPicture("Nothing", true);
    for (int y = 0; y < unknown.height(); ++y)
        for (int x = 0; x < unknown.width(); ++x)
            ASSERT_EQ(qAlpha(unknown.pixel(x, y)), 0);
}
