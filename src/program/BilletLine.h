#pragma once
// The billet line, "[BILLET X<diameter> Z<length>" in program units, read into pixels.

#include <QString>
#include <QtGlobal>
#include <optional>

namespace program {

struct BilletReading
{
    // A size the line does not give stays unset, and the caller keeps its previous value.
    std::optional<qint16> Diameter;
    std::optional<qint16> Length;
    // Why the line cannot be read; empty when it can.
    QString error;
};

// `line` is the program line holding "[BILLET": its first seven characters after trimming
// are the keyword, the first two fields after it are used. A size must come to at least one
// pixel.
BilletReading ReadBilletLine(const QString& line);

} // namespace program
