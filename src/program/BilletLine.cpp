#include "program/BilletLine.h"

#include "platform/QuotedText.h"
#include "platform/VbNumbers.h"

#include <QStringList>

namespace program {

BilletReading ReadBilletLine(const QString& line)
{
    BilletReading r;
    const QString shown = platform::QuotedText(platform::vb::Trim(line));
    const QString rest = platform::vb::Trim(platform::vb::Trim(line).mid(7));
    const QStringList fields = rest.split(u' ');
    if (rest.isEmpty() || fields.size() < 2) {
        r.error = QStringLiteral("The billet line \"%1\" must give a diameter and a length, for example [BILLET X20 Z40.")
                      .arg(shown);
        return r;
    }
    for (int f = 0; f < 2; ++f) {
        const QString field = platform::vb::Trim(fields[f]);
        if (field.isEmpty() || (field[0] != u'X' && field[0] != u'Z'))
            continue;
        const QString cutField = platform::QuotedText(field);
        const auto value = platform::vb::ParseNumber(QStringView(field).sliced(1));
        if (!value) {
            return {{}, {}, QStringLiteral("The billet size \"%1\" in \"%2\" is not a number.").arg(cutField, shown)};
        }
        const auto pixels = platform::vb::ToInt16(*value * 10.0);
        if (!pixels) {
            return {{}, {}, QStringLiteral("The billet size \"%1\" in \"%2\" is too large.").arg(cutField, shown)};
        }
        // A billet without size draws nothing, a negative one cannot be drawn at all; a size
        // under half a pixel (0.05) rounds to none.
        if (*pixels <= 0) {
            return {{}, {}, QStringLiteral("The billet %1 \"%2\" in \"%3\" must be greater than 0%4.")
                                .arg(field[0] == u'X' ? QStringLiteral("diameter") : QStringLiteral("length"), cutField,
                                     shown,
                                     *value > 0 ? QStringLiteral(" (0.05 or less rounds to 0 pixels)") : QString())};
        }
        (field[0] == u'X' ? r.Diameter : r.Length) = *pixels;
    }
    return r;
}

} // namespace program
