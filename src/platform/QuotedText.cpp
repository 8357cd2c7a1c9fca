#include "platform/QuotedText.h"

namespace platform {

QString QuotedText(const QString& text)
{
    if (text.size() <= QuoteLimit)
        return text;
    qsizetype length = QuoteLimit;
    if (text[length - 1].isHighSurrogate())
        --length;
    return text.left(length) + QChar(0x2026);
}

} // namespace platform
