#pragma once
// What the colouring pass gives a text, one letter per character: C comment, L letter colour,
// I integer colour, . uncoloured.

#include "program/ColourRuns.h"

#include <QString>

inline QString ColourClasses(const QString& text)
{
    QString out(text.size(), u'.');
    for (const program::ColourRun& r : program::ColourRuns(text))
        for (int i = r.start; i < r.start + r.length; ++i)
            out[i] = r.colour == program::SyntaxColour::Comment     ? u'C'
                     : r.colour == program::SyntaxColour::Character ? u'L'
                                                                     : u'I';
    return out;
}
