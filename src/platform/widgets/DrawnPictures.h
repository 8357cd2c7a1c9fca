#pragma once
// The pictures the windows draw in code while the program runs, kept together so that whoever
// redraws one finds them all. A picture used many times is drawn once and shared: the program
// grid tells its pictures apart by their cache keys.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

class QPainter;

namespace platform {

// The toolbar's pictures: an enabled and a disabled look for each key ("New", "Open", "Save",
// "Print", "Step", "Start", "Pause", "Stop", "Options").
constexpr int ToolbarPictureSize = 24;
// The picture of a key; an unknown key gives a transparent picture.
QImage ToolbarPicture(const QString& key, bool enabled);
// Both looks in one icon (normal and disabled modes).
QIcon ToolbarIcon(const QString& key);

// The program grid's gutter pictures, keyed "Break", "Step" and "Both".
QPixmap GutterPicture(const QString& key);

// The Options dialog's decorative left band and the small turning tool over the corner of its
// simulation sample.
constexpr int OptionsBandWidth = 132;
constexpr int OptionsBandHeight = 475;
QPixmap OptionsBandPicture();
QPixmap OptionsToolPicture();

// The Tool Library's header: a lathe tool over a turned part, and the window's name.
constexpr int ToolLibraryHeaderWidth = 240;
constexpr int ToolLibraryHeaderHeight = 47;
QPixmap ToolLibraryHeaderPicture();

// The splash window's name, version and hint, painted over its picture at every paint.
void PaintSplashText(QPainter& p);

} // namespace platform
