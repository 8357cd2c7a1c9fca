#include "platform/VbNumbers.h"

#include <charconv>
#include <cmath>
#include <string>

namespace platform::vb {

bool IsNumeric(QStringView text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool point = false;
    bool digit = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            digit = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

std::optional<double> ParseNumber(QStringView text)
{
    if (!IsNumeric(text))
        return std::nullopt;
    // The grammar admits only ASCII, so the narrow copy is exact.
    std::string s = text.toString().toStdString();
    std::size_t start = 0;
    bool negative = false;
    if (s[0] == '+' || s[0] == '-') {
        negative = s[0] == '-';
        start = 1;
    }
    double value = 0.0;
    const char* first = s.data() + start;
    const char* last = s.data() + s.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range)
        return std::nullopt;
    if (ec != std::errc() || ptr != last)
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<double> ParseStoredNumber(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (b < e && blank(text[b]))
        ++b;
    while (e > b && blank(text[e - 1]))
        --e;
    return ParseNumber(text.sliced(b, e - b));
}

std::optional<qint16> ToInt16(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double r = std::nearbyint(value);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(r);
}

std::optional<qint32> ToInt32(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double r = std::nearbyint(value);
    if (r < -2147483648.0 || r > 2147483647.0)
        return std::nullopt;
    return static_cast<qint32>(r);
}

std::optional<qint16> TextToInt16(QStringView text)
{
    const auto v = ParseNumber(text);
    if (!v)
        return std::nullopt;
    return ToInt16(*v);
}

QString FormatNumber(double value)
{
    if (value == 0.0)
        return QStringLiteral("0"); // also -0
    char buf[400];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc())
        return QString::number(value, 'g', 17);
    return QString::fromLatin1(buf, ptr - buf);
}

std::optional<bool> ParseTruth(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.compare(u"true", Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(u"false", Qt::CaseInsensitive) == 0)
        return false;
    if (const auto n = ParseNumber(t))
        return *n != 0.0;
    return std::nullopt;
}

QString Trim(const QString& text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.mid(b, e - b);
}

} // namespace platform::vb
