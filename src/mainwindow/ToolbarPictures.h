#pragma once
// The toolbar's pictures, drawn here: an enabled and a disabled look for each key
// ("New", "Open", "Save", "Print", "Step", "Start", "Pause", "Stop", "Options").

#include <QIcon>
#include <QImage>
#include <QString>

constexpr int ToolbarPictureSize = 24;

// The picture of a key; an unknown key gives a transparent picture.
QImage ToolbarPicture(const QString& key, bool enabled);
// Both looks in one icon (normal and disabled modes).
QIcon ToolbarIcon(const QString& key);
