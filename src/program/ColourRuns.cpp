#include "program/ColourRuns.h"

namespace program {

std::vector<ColourRun> ColourRuns(const QString& text)
{
    std::vector<ColourRun> runs;
    auto add = [&runs](int start, int length, SyntaxColour colour) {
        if (length <= 0)
            return;
        if (!runs.empty() && runs.back().colour == colour && runs.back().start + runs.back().length == start)
            runs.back().length += length;
        else
            runs.push_back({start, length, colour});
    };
    const int n = int(text.size());
    for (int i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'[') {
            const int cr = int(text.indexOf(QLatin1String("\r\n"), i));
            if (cr < 0) {
                add(i, n - i, SyntaxColour::Comment);
                break;
            }
            add(i, cr - i, SyntaxColour::Comment);
            i = cr; // the CR and LF stay uncoloured
        } else if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) {
            add(i, 1, SyntaxColour::Character);
        } else if ((c >= u'0' && c <= u'9') || c == u'-' || c == u' ' || c == u'.') {
            add(i, 1, SyntaxColour::Integer);
        }
    }
    return runs;
}

} // namespace program
