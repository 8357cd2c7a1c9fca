#include "platform/QuotedText.h"

#include <gtest/gtest.h>

using platform::QuotedText;

TEST(QuotedText, ShortTextStaysAsItIsLongTextKeepsItsBeginningMarkedAsCut)
{
    const QString hundred(100, u'a');
    EXPECT_EQ(QuotedText(QString()), QString());
    EXPECT_EQ(QuotedText(hundred), hundred);
    EXPECT_EQ(QuotedText(hundred + u'b'), hundred + QChar(0x2026));
    EXPECT_EQ(QuotedText(QString(1 << 20, u'x')), QString(100, u'x') + QChar(0x2026));
}

TEST(QuotedText, ACharacterOutsideTheBasicPlaneIsNotSplit)
{
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E"); // two UTF-16 units
    const QString text = QString(99, u'a') + clef + QString(10, u'b');
    EXPECT_EQ(QuotedText(text), QString(99, u'a') + QChar(0x2026));
    const QString fits = QString(98, u'a') + clef + u'b';
    EXPECT_EQ(QuotedText(fits + u'b'), QString(98, u'a') + clef + QChar(0x2026));
}
