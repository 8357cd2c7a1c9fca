// The editor sample paints the ranges it always painted; the colouring pass over the same
// text would colour more. Making one the other changes what the dialog shows.
#include "ColourClasses.h"
#include "options/OptionsSamples.h"

#include <gtest/gtest.h>

namespace {

// One letter per character: C comment, L letter colour, I integer colour, . unpainted.
QString fromSample(const QString& text)
{
    WorkingColors colours;
    colours.EditorCommentColor = 1;
    colours.EditorCharColor = 2;
    colours.EditorIntegerColor = 3;
    QString out(text.size(), u'.');
    for (const options::ColourRange& r : options::EditorSampleRanges(colours))
        for (int i = r.start; i < r.start + r.length; ++i)
            out[i] = r.colour == 1 ? u'C' : r.colour == 2 ? u'L' : u'I';
    return out;
}

} // namespace

TEST(EditorSample, KeepsItsFixedRangesBesideTheColouringPass)
{
    const QString text = options::EditorSampleText();
    ASSERT_EQ(text, "[BILLET X20 Z40\r\nG00 X20 Z0\r\nG01 Z-40");
    // The sample leaves the blanks between the words in the background colour...
    EXPECT_EQ(fromSample(text), "CCCCCCCCCCCCCCC..LII.LII.LI..LII.LIII");
    // ...where the colouring pass gives them the integer colour.
    EXPECT_EQ(ColourClasses(text), "CCCCCCCCCCCCCCC..LIIILIIILI..LIIILIII");
}
