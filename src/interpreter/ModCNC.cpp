#include "interpreter/ModCNC.h"

#include "interpreter/GCodes.h"
#include "interpreter/InterpreterHost.h"
#include "platform/MessageBox.h"
#include "platform/QuotedText.h"
#include "platform/VbNumbers.h"
#include "platform/gui/Picture.h"
#include "shared/SharedState.h"
#include "toollibrary/ToolTable.h"

#include <QDir>

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
    const auto v = platform::vb::ParseNumber(QStringView(word).sliced(1));
    if (!v)
        return {};
    switch (scale) {
    case Scale::AsWritten: return {true, platform::vb::ToInt16(*v)};
    case Scale::Times10: return {true, platform::vb::ToInt16(*v * 10.0)};
    case Scale::HalfTimes10: return {true, platform::vb::ToInt16(*v / 2.0 * 10.0)};
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
    return platform::vb::ToInt16(double(a + b));
}

QString quoted(const QString& s)
{
    return u'"' + platform::QuotedText(s) + u'"';
}

// A name of the tool list can be as long as the list itself: a message then names the
// folder and the beginning of the name.
QString shownToolFile(const QString& path, const QString& fileName)
{
    if (fileName.size() <= platform::QuoteLimit)
        return QDir::toNativeSeparators(path);
    return QDir::toNativeSeparators(toollibrary::tooltable::ToolsFolder() + u'/') + platform::QuotedText(fileName);
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
        const QString word = platform::vb::Trim(raw);
        if (word.isEmpty())
            continue;
        const QChar first = word[0];
        if (first == u'F') {
            if (!platform::vb::ParseNumber(QStringView(word).sliced(1)))
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
        ParseWord(platform::vb::Trim(word));

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
        if (const auto v = platform::vb::ParseNumber(QStringView(Word).sliced(1))) {
            cnc.FeedRate = *v;
            host_.SetPanelText(QStringLiteral("FeedRate"), QStringLiteral("Feed: ") + platform::vb::FormatNumber(*v));
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
    const auto n = platform::vb::TextToInt16(QStringView(Word).sliced(1));
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

void ModCNC::notice(const QString& text, qint16 interval, bool modal)
{
    host_.SetNoticeText(text);
    ShowNotice(modal ? 1 : 0, interval);
}

void ModCNC::ShowNotice(qint16 Modal, qint16 Interval)
{
    host_.ShowNotice(Modal, Interval);
}

void ModCNC::spindlePanels(const QString& direction)
{
    host_.SetPanelText(QStringLiteral("SpindleSpeed"), QStringLiteral("S ") + QString::number(state_.Cnc.SpindleSpeed));
    host_.SetPanelText(QStringLiteral("SpindleDirection"), direction);
}

void ModCNC::ExecuteMCode(const QString& Word)
{
    const auto code = platform::vb::TextToInt16(QStringView(Word).sliced(1));
    if (!code)
        return;
    const QString coolant = QStringLiteral("Coolant");
    const QString coolantOn = QStringLiteral("Coolant: ON");
    const QString coolantOff = QStringLiteral("Coolant: OFF");
    switch (*code) {
    case 0:
        notice(QStringLiteral("Program Stop"), 2000);
        host_.mnuRunPause_Click();
        break;
    case 2:
        notice(QStringLiteral("Program End"), 2000);
        host_.mnuRunStop_Click();
        break;
    case 3:
        notice(QStringLiteral("Spindle Start CW"), 2000);
        spindlePanels(QStringLiteral("CW"));
        break;
    case 4:
        notice(QStringLiteral("Spindle Start CCW"), 2000);
        spindlePanels(QStringLiteral("CCW"));
        break;
    case 5:
        notice(QStringLiteral("Spindle Stop"), 2000);
        state_.Cnc.SpindleSpeed = 0;
        spindlePanels(QString());
        break;
    case 6:
        notice(QStringLiteral("Tool ") + QString::number(state_.Cnc.ToolNumber) + QStringLiteral(" loaded"), 2000);
        ChangeTool();
        break;
    case 8:
        host_.SetPanelText(coolant, coolantOn);
        notice(coolantOn, 2000);
        break;
    case 9:
        host_.SetPanelText(coolant, coolantOff);
        notice(coolantOff, 2000);
        break;
    case 10: notice(QStringLiteral("Chuck OPEN"), 500, true); break;
    case 11: notice(QStringLiteral("Chuck CLOSE"), 500, true); break;
    case 13:
    case 14: {
        const QString direction = *code == 13 ? QStringLiteral("CW") : QStringLiteral("CCW");
        spindlePanels(direction);
        host_.SetPanelText(coolant, coolantOn);
        notice(QStringLiteral("Spindle Start ") + direction + QStringLiteral(", Coolant ON"), 2000);
        break;
    }
    case 25: notice(QStringLiteral("Quill Extend"), 2000); break;
    case 26: notice(QStringLiteral("Quill Retract"), 2000); break;
    case 30:
        host_.SetPanelText(coolant, coolantOff);
        host_.SetNoticeText(QStringLiteral("Spindle Stop")); // replaced before anything shows it
        host_.mnuRunStop_Click();
        notice(QStringLiteral("Program end and reset"), 2000);
        break;
    case 38: notice(QStringLiteral("Door OPEN"), 500, true); break;
    case 39: notice(QStringLiteral("Door CLOSE"), 500, true); break;
    default:
        break;
    }
}

void ModCNC::ChangeTool()
{
    host_.GetToolList();

    // Everything is checked before the old tool is released: a tool that cannot be loaded
    // leaves the current one cutting, and the run goes on.
    const qint16 number = state_.Cnc.ToolNumber;
    auto refuse = [number](const QString& why) {
        platform::MsgBox(QStringLiteral("Tool %1 cannot be loaded: %2 The current tool stays.").arg(number).arg(why),
                         platform::vbCritical);
    };
    if (number < 0 || number >= shared::ToolCount) {
        refuse(QStringLiteral("tool numbers run from 0 to 20 in the tool list %1.")
                   .arg(QDir::toNativeSeparators(toollibrary::tooltable::ToolListPath())));
        return;
    }
    const QString name = state_.ToolFiles[size_t(number)];
    if (name.isEmpty()) {
        refuse(QStringLiteral("the tool list %1 assigns no picture to it.")
                   .arg(QDir::toNativeSeparators(toollibrary::tooltable::ToolListPath())));
        return;
    }
    if (!toollibrary::tooltable::IsToolName(name)) {
        refuse(QStringLiteral("the tool list %1 names its picture \"%2\", and a picture is loaded only from the "
                              "tools folder, by a name without \"/\", \"\\\" or \"..\".")
                   .arg(QDir::toNativeSeparators(toollibrary::tooltable::ToolListPath()), platform::QuotedText(name)));
        return;
    }
    const QString path = toollibrary::tooltable::ToolPicturePath(name);
    // Decoded in full, as loading it will: a header alone can promise a picture that no
    // memory holds, or more rows than the file has.
    const platform::PictureProblem problem = platform::ReadPicture(path).problem;
    if (problem == platform::PictureProblem::TooLarge) {
        refuse(QStringLiteral("its picture %1 is too large to load.").arg(shownToolFile(path, name)));
        return;
    }
    if (problem != platform::PictureProblem::None) {
        refuse(QStringLiteral("its picture %1 is missing or is not a readable bitmap.").arg(shownToolFile(path, name)));
        return;
    }
    qint16 width = 0;
    qint16 height = 0;
    GCodes::ReadToolSize(path, height, width);
    if (width <= 0 || height <= 0) {
        const QString description = toollibrary::tooltable::DescriptionPath(path);
        refuse(QStringLiteral("its description %1 gives no width and height (TOOLWIDTH, TOOLHEIGHT).")
                   .arg(shownToolFile(description, name.left(name.size() - 3) + QStringLiteral("ini"))));
        return;
    }
    host_.ChangeTool(path, width, height);
}
