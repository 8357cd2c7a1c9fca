#pragma once
// Twips and pixels: 15 twips to the pixel whatever the screen. Each caller has always rounded
// in its own way, and a pixel more or less moves a window, a cell or a whole run's picture,
// so each rounding has its own function, named after the rule.

#include <QtGlobal>

namespace platform {

constexpr int TwipsPerPixel = 15;

// Whole pixels, the fraction dropped (towards zero, as integer division does).
constexpr int TwipsToPixelsTruncated(int twips) { return twips / TwipsPerPixel; }

// Pixels with their fraction, for callers that round only after further arithmetic.
constexpr double TwipsToPixelsUnrounded(double twips) { return twips / double(TwipsPerPixel); }

// The nearest whole pixel, halves to the even neighbour; 0 beyond the 32-bit range.
int TwipsToPixelsHalfEven(double twips);

constexpr int PixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }

// Not a twips conversion: a pixel measure made a 16-bit value, rounded half to even and held
// to the range (32767 above it or for NaN, 0 below it).
qint16 PixelsHalfEvenClamped16(double pixels);

} // namespace platform
