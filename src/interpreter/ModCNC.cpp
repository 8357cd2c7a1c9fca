#include "interpreter/ModCNC.h"

#include "interpreter/GCodes.h"
#include "interpreter/InterpreterHost.h"
#include "platform/MessageBox.h"
#include "platform/VbNumbers.h"
#include "shared/SharedState.h"

#include <QStringList>
#include <optional>

namespace {

enum class Scale { AsWritten, Times10, HalfTimes10 };

// The scaling each address letter's number gets; letters without a number to read are absent.
std::optional<Scale> scaleOf(QChar letter)
{
    switch (letter.unicode()) {
    case u'G': case u'M': case u'T': case u'S':
        return Scale::AsWritten;
    case u'Z': case u'I': case u'K': case u'P': case u'Q': case u'R': case u'W':
        return Scale::Times10;
    case u'X': case u'U':
        return Scale::HalfTimes10;
    default:
        return std::nullopt;
    }
}

struct WordValue
{
    bool readable = false; // the number parses
    std::optional<qint16> value; // the scaled, rounded value, when it fits 16 bits
};

WordValue readWord(const QString& word, Scale scale)
{
    const auto v = vb::ParseNumber(QStringView(word).sliced(1));
    if (!v)
        return {};
    switch (scale) {
    case Scale::AsWritten: return {true, vb::ToInt16(*v)};
    case Scale::Times10: return {true, vb::ToInt16(*v * 10.0)};
    case Scale::HalfTimes10: return {true, vb::ToInt16(*v / 2.0 * 10.0)};
    }
    return {};
}

std::optional<qint16> scaled(const QString& word)
{
    if (word.isEmpty())
        return std::nullopt;
    const auto scale = scaleOf(word[0]);
    if (!scale)
        return std::nullopt;
    return readWord(word, *scale).value;
}

std::optional<qint16> sum16(int a, int b)
{
    return vb::ToInt16(double(a + b));
}

QString quoted(const QString& s)
{
    return u'"' + s + u'"';
}

} // namespace

ModCNC::ModCNC(SharedState& state, InterpreterHost& host)
    : state_(state), host_(host), gcodes_(std::make_unique<GCodes>(state, host, *this)), motions_(gcodes_.get())
{
}

ModCNC::~ModCNC() = default;

QString ModCNC::FindUnreadableWord(const QString& Line) const
{
    auto check = [](const QString& word, Scale scale) -> QString {
        const WordValue w = readWord(word, scale);
        if (!w.readable)
            return QStringLiteral("the word %1 has no readable number.").arg(quoted(word));
        if (!w.value)
            return QStringLiteral("the value of %1 lies outside the machine's range.").arg(quoted(word));
        return {};
    };

    const QStringList words = Line.split(u' ');
    if (Line.contains(u'S') || Line.contains(u'T')) {
        for (const QString& word : words) {
            if (word.isEmpty())
                continue;
            const QChar first = word[0].toUpper();
            if (first == u'T' || first == u'S')
                if (QString why = check(word, Scale::AsWritten); !why.isEmpty())
                    return why;
        }
    }
    for (const QString& raw : words) {
        const QString word = vb::Trim(raw);
        if (word.isEmpty())
            continue;
        const QChar first = word[0];
        if (first == u'F') {
            if (!vb::ParseNumber(QStringView(word).sliced(1)))
                return QStringLiteral("the word %1 has no readable number.").arg(quoted(word));
            continue;
        }
        if (first == u'S')
            continue; // only the pre-scan reads S
        const auto scale = scaleOf(first);
        if (!scale)
            continue;
        if (QString why = check(word, *scale); !why.isEmpty())
            return why;
        const auto& cnc = state_.Cnc;
        if ((first == u'U' && !sum16(cnc.CurrentX, *scaled(word)))
            || (first == u'W' && !sum16(cnc.CurrentZ, *scaled(word))))
            return QStringLiteral("the word %1 carries the target outside the machine's range.").arg(quoted(word));
    }
    return {};
}

void ModCNC::RefuseBlock(const QString& line, const QString& reason)
{
    platform::MsgBox(QStringLiteral("The block %1 cannot be run: %2").arg(quoted(line), reason),
                     platform::vbCritical, QStringLiteral("Error!"));
    host_.mnuRunStop_Click();
}

void ModCNC::ExecuteBlock(const QString& Line)
{
    // Nothing of a block applies unless all of it can be read.
    if (const QString why = FindUnreadableWord(Line); !why.isEmpty()) {
        RefuseBlock(Line, why);
        return;
    }

    // S and T take effect before any M word of the same block, wherever they stand.
    if (Line.contains(u'S') || Line.contains(u'T')) {
        for (const QString& word : Line.split(u' ')) {
            if (word.isEmpty())
                continue;
            const QChar first = word[0].toUpper();
            const auto v = readWord(word, Scale::AsWritten).value;
            if (first == u'T' && v)
                state_.Cnc.ToolNumber = *v;
            else if (first == u'S' && v)
                state_.Cnc.SpindleSpeed = *v;
        }
    }

    for (const QString& word : Line.split(u' '))
        ParseWord(vb::Trim(word));

    gcodes_->SetBlockLine(Line); // a refused motion names its block
    ExecuteMotion();
}

void ModCNC::ParseWord(const QString& Word)
{
    if (Word.isEmpty())
        return;
    InterpreterState& cnc = state_.Cnc;
    const QChar first = Word[0];
    switch (first.unicode()) {
    case u'F':
        if (const auto v = vb::ParseNumber(QStringView(Word).sliced(1))) {
            cnc.FeedRate = *v;
            host_.SetPanelText(QStringLiteral("FeedRate"), QStringLiteral("Feed: ") + vb::FormatNumber(*v));
        }
        return;
    case u'G':
        SetGCode(Word);
        return;
    case u'M':
        ExecuteMCode(Word);
        return;
    case u'[': case u'N':
        return;
    default:
        break;
    }
    if (first == u'S' || !scaleOf(first))
        return;
    const auto v = scaled(Word);
    if (!v)
        return;
    switch (first.unicode()) {
    case u'I': cnc.ArcI = *v; break;
    case u'K': cnc.ArcK = *v; break;
    case u'P': cnc.CycleP = *v; break;
    case u'Q': cnc.CycleQ = *v; break;
    case u'R':
        cnc.RadiusR = *v;
        cnc.RadiusGiven = true;
        break;
    case u'T': cnc.ToolNumber = *v; break;
    case u'X': cnc.TargetX = *v; break;
    case u'Z': cnc.TargetZ = *v; break;
    case u'U':
        cnc.IncU = *v;
        if (const auto t = sum16(cnc.CurrentX, cnc.IncU))
            cnc.TargetX = *t;
        break;
    case u'W':
        cnc.IncW = *v;
        if (const auto t = sum16(cnc.CurrentZ, cnc.IncW))
            cnc.TargetZ = *t;
        break;
    default:
        break;
    }
}

void ModCNC::SetGCode(const QString& Word)
{
    const auto n = vb::TextToInt16(QStringView(Word).sliced(1));
    if (!n)
        return;
    switch (*n) {
    case 0: case 1: case 2: case 3: case 4: case 28: case 70: case 73: case 90: case 94:
        state_.Cnc.GMode = *n;
        break;
    case 20:
        host_.SetPanelText(QStringLiteral("Dim"), QStringLiteral("In"));
        break;
    case 21:
        host_.SetPanelText(QStringLiteral("Dim"), QStringLiteral("mm"));
        break;
    default:
        state_.Cnc.GMode = -1;
        break;
    }
}

void ModCNC::ExecuteMotion()
{
    switch (state_.Cnc.GMode) {
    case 0: motions_->RapidMove(); break;
    case 1: motions_->LinearMove(); break;
    case 2: motions_->ArcCW(); break;
    case 3: motions_->ArcCCW(); break;
    case 28: motions_->ReturnHome(); break;
    case 73: motions_->PatternRepeatCycle(); break;
    case 90: motions_->TurningCycle(); break;
    case 94: motions_->FacingCycle(); break;
    default: break; // 4, 70 and unknown codes move nothing
    }
}

void ModCNC::ExecuteMCode(const QString& Word)
{
    Q_UNUSED(Word); // machine functions come with the notices and the tool change
}
