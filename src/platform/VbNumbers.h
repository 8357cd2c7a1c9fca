#pragma once
// The one place where texts and doubles become the program's numbers. Every count, position
// and setting is a 16-bit signed integer, rounded half to even; all conversions go through here.

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace platform::vb {

// The number grammar of the whole system: an optional sign, then digits with at most one
// ".", at least one digit ("5.", ".5", "+5", "-.5" are numbers; "", "-", ".", "1e3" are not).
bool IsNumeric(QStringView text);

// Reads a text of the grammar above as a double (correctly rounded, locale independent).
std::optional<double> ParseNumber(QStringView text);

// As ParseNumber, allowing blanks (spaces and tabs) around the number: for stored values.
std::optional<double> ParseStoredNumber(QStringView text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4), and
// refuses results outside -32768..32767 (and NaN).
std::optional<qint16> ToInt16(double value);
std::optional<qint32> ToInt32(double value);

// Text to 16-bit integer: ParseNumber, then ToInt16.
std::optional<qint16> TextToInt16(QStringView text);

// A double as the shortest plain decimal that reads back to the same value: no exponent,
// no trailing zeros, "-" only for negative values (100 -> "100", 0.25 -> "0.25").
QString FormatNumber(double value);

// A truth value as stored: True/False in any letter case, or a number (0 is false).
std::optional<bool> ParseTruth(QStringView text);
inline QString TruthText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

// Removes spaces (not tabs) at both ends: the trimming every program text gets.
QString Trim(const QString& text);

} // namespace platform::vb
