#pragma once
// The program text's canonical layout and the word check run before every fresh start.
// Texts are the editor's plain text, lines separated by CR LF.

#include <QString>
#include <optional>

namespace program::syntax {

// One block per line, address words in capitals separated by single blanks, comments as
// typed, no blank lines; ends with CR LF exactly when the text ended with line breaks or
// blank lines.
QString ReformatText(const QString& text);

struct SyntaxError
{
    // 1 character not allowed, 2 no address letter, 3 value not numeric, 4 G number not
    // accepted.
    int kind = 0;
    // What to select, in positions of the checked text. For kind 2 the caller first puts a
    // blank in front of the word at selStart, then selects that blank (selStart, 1).
    int selStart = 0;
    int selLength = 0;
    QString message;
};

// The first error of the text, or nothing when every word passes.
std::optional<SyntaxError> CheckSyntax(const QString& text);

// Whether a G number passes the check.
bool IsAcceptedGCode(int number);

} // namespace program::syntax
