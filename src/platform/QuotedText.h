#pragma once
// The user's own text as a message quotes it: a program line, a word or a tool list line can
// be a megabyte long, and a message box that shows all of it takes seconds to lay out and
// grows off the screen.

#include <QString>

namespace platform {

// Characters of the user's text that a message shows at most.
inline constexpr qsizetype QuoteLimit = 100;

// The text as it is when it has at most QuoteLimit characters; otherwise its first
// QuoteLimit characters (one less where a pair of UTF-16 units would be split) followed
// by "…", so the reader sees that it goes on.
QString QuotedText(const QString& text);

} // namespace platform
