#pragma once
// The drawing surface the 3D window asks for, and the check that the window system can give
// it one. The check is replaceable so that tests can make it fail.

#include <QSurfaceFormat>
#include <functional>

namespace view3d {

// Double-buffered RGBA, at least 24 colour and 16 depth bits, and a context that still has
// display lists, lighting and colour material.
QSurfaceFormat RequestedFormat();

using PixelFormatCheck = std::function<bool(const QSurfaceFormat& wanted)>;

// True when a GL surface of the wanted format can be made and shown on this platform.
bool ChoosePixelFormat(const QSurfaceFormat& wanted);

// Replaces the check and returns the previous one; an empty check restores the real one.
PixelFormatCheck SetPixelFormatCheck(PixelFormatCheck check);

} // namespace view3d
