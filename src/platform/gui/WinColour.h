#pragma once
// Colours are stored as Windows RGB values: red in the low byte, then green, then blue.

#include <QColor>
#include <QtGlobal>

namespace platform {

inline QColor FromWinRgb(qint32 rgb)
{
    const auto v = quint32(rgb);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

inline qint32 ToWinRgb(const QColor& c)
{
    return qint32(quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16));
}

// As a pixel of an RGB32 image (0xFFRRGGBB), and back.
inline QRgb ToPixel(qint32 rgb)
{
    const auto v = quint32(rgb);
    return 0xFF000000u | ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}

inline qint32 FromPixel(QRgb pixel)
{
    return qint32(quint32(qRed(pixel)) | (quint32(qGreen(pixel)) << 8) | (quint32(qBlue(pixel)) << 16));
}

constexpr qint32 WinRgb(int r, int g, int b)
{
    return qint32(quint32(r) | (quint32(g) << 8) | (quint32(b) << 16));
}

} // namespace platform
