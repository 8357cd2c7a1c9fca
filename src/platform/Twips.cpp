#include "platform/Twips.h"

#include "platform/VbNumbers.h"

namespace platform {

int TwipsToPixelsHalfEven(double twips)
{
    return platform::vb::ToInt32(twips / TwipsPerPixel).value_or(0);
}

qint16 PixelsHalfEvenClamped16(double pixels)
{
    return platform::vb::ToInt16(pixels).value_or(pixels < 0 ? qint16(0) : qint16(32767));
}

} // namespace platform
