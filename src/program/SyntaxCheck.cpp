#include "program/SyntaxCheck.h"

#include "platform/QuotedText.h"
#include "platform/VbNumbers.h"

#include <QStringList>
#include <algorithm>
#include <array>

namespace program::syntax {

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString AllowedCharacters = QStringLiteral("FGIKMNPQRSTUWXZ0123456789.-+");


// Only a to z have capitals here; other letters are never address letters.
QChar asciiUpper(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(c.unicode() - 32) : c;
}

QStringList splitLines(const QString& text)
{
    return text.isEmpty() ? QStringList() : text.split(CrLf);
}

QString reformatLine(const QString& original)
{
    const QString line = platform::vb::Trim(original);
    const qsizetype bracket = line.indexOf(u'[');
    const QString comment = bracket < 0 ? QString() : line.mid(bracket);
    const QString code = bracket < 0 ? line : line.left(bracket);

    QString rebuilt;
    rebuilt.reserve(code.size() * 2);
    for (const QChar c : code) {
        if (c == u' ' || c == u'\t')
            continue;
        const QChar u = c.toUpper();
        if (u >= u'A' && u <= u'Z')
            rebuilt += u' ';
        rebuilt += u;
    }
    return platform::vb::Trim(platform::vb::Trim(rebuilt) + u' ' + comment);
}

} // namespace

QString ReformatText(const QString& text)
{
    const QStringList lines = splitLines(text);
    QString result;
    result.reserve(text.size() + text.size() / 4);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = reformatLine(lines[i]);
        if (platform::vb::Trim(line).isEmpty())
            continue;
        result += line;
        if (i != lines.size() - 1)
            result += CrLf;
    }
    return result;
}

bool IsAcceptedGCode(int number)
{
    static constexpr std::array<int, 15> accepted = {0, 1, 2, 3, 4, 21, 28, 70, 71, 72, 73, 90, 94, 97, 98};
    return std::find(accepted.begin(), accepted.end(), number) != accepted.end();
}

std::optional<SyntaxError> CheckSyntax(const QString& text)
{
    int lineStart = 0;
    for (const QString& line : splitLines(text)) {
        // Positions count from the line's first character, blanks in front of the first
        // word included, so that a check of untidy text still selects the right word.
        int wordStart = 0;
        while (wordStart < line.size() && line[wordStart] == u' ')
            ++wordStart;
        for (const QString& word : platform::vb::Trim(line).split(u' ')) {
            const int p = lineStart + wordStart;
            wordStart += int(word.size()) + 1;
            if (word.isEmpty())
                continue;
            if (word[0] == u'[')
                break;
            for (qsizetype k = 0; k < word.size(); ++k) {
                if (!AllowedCharacters.contains(asciiUpper(word[k])))
                    return SyntaxError{1, p + int(k), 1,
                                       QStringLiteral("An invalid character '") + word[k] + QStringLiteral("' was found.")};
            }
            const QChar letter = asciiUpper(word[0]);
            if (letter < u'A' || letter > u'Z')
                return SyntaxError{2, p, 1, QStringLiteral("Missing Character at this position.")};
            const QStringView value = QStringView(word).mid(1);
            if (!platform::vb::IsNumeric(value))
                return SyntaxError{3, p + 1, int(word.size()) - 1, QStringLiteral("This is not a valid numeric value")};
            if (letter == u'G') {
                // Out of the 16-bit range there is no such G code either.
                const auto number = platform::vb::TextToInt16(value);
                if (!number || !IsAcceptedGCode(*number))
                    return SyntaxError{4, p, int(word.size()),
                                       platform::QuotedText(word) + QStringLiteral(" is not a valid G Code")};
            }
        }
        lineStart += int(line.size()) + 2;
    }
    return std::nullopt;
}

} // namespace program::syntax
