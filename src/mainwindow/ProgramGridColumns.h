#pragma once
// The program grid's columns: one row per program line, the line number in the fixed column,
// the breakpoint and execution markers in the gutter, the line's text, and a hidden column
// that holds the breakpoint mark the rows are coloured by.

#include <QString>

namespace mainwindow::programgrid {

constexpr int NumberCol = 0;
constexpr int GutterCol = 1;
constexpr int TextCol = 2;
constexpr int MarkCol = 3;
constexpr int ColumnCount = 4;

// What MarkCol holds on a breakpoint line (empty on any other).
inline const QString BreakMark = QStringLiteral("BP");

} // namespace mainwindow::programgrid
