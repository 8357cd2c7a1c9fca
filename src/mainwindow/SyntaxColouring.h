#pragma once
// The colour the colouring pass gives the characters of the program text it leaves uncoloured
// (program/ColourRuns.h says which those are).

#include <QtGlobal>

namespace mainwindow {

// Black, or white on a dark background, so that they stay readable whatever the editor's
// colours.
qint32 UncolouredTextColour(qint32 backColor);

} // namespace mainwindow
