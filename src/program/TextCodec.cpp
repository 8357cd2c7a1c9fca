#include "program/TextCodec.h"

#include <QStringDecoder>

namespace program {

namespace {

// Windows-1252 in 0x80..0x9F.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString FromWindows1252(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(Cp1252High[b - 0x80]) : QChar(b));
    }
    return text;
}

bool ToWindows1252(QStringView text, QByteArray& bytes, QChar* unfit)
{
    bytes.clear();
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        int b = -1;
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            b = u;
        } else {
            for (int i = 0; i < 32 && b < 0; ++i)
                if (Cp1252High[i] == u)
                    b = 0x80 + i;
        }
        if (b < 0) {
            if (unfit)
                *unfit = ch;
            return false;
        }
        bytes.append(char(b));
    }
    return true;
}

QString FromUtf8OrWindows1252(QByteArrayView bytes, bool* utf8)
{
    // Stateless: bytes ending in the middle of a sequence ("caf\xE9") are no UTF-8, rather
    // than a sequence left waiting for bytes that never come.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    const bool valid = !decoder.hasError();
    if (utf8)
        *utf8 = valid;
    return valid ? text : FromWindows1252(bytes);
}

} // namespace program
