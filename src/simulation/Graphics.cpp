#include "simulation/Graphics.h"

#include "platform/AppPaths.h"
#include "platform/MessageBox.h"
#include "platform/VbNumbers.h"
#include "platform/gui/Picture.h"
#include "platform/gui/Sound.h"
#include "platform/gui/WinColour.h"
#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"
#include "simulation/SimulationHost.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr QRgb Magenta = 0xFF00FF; // RGB(255, 0, 255), the tool picture's transparent colour

// Settings hold Windows RGB (red in the low byte); the buffer holds 0xFFRRGGBB.
using platform::ToPixel;

// A tool position stored as the previous corner: values past the 16-bit range lie far
// outside any picture, and so does the nearest 16-bit value.
qint16 clampToInt16(int v)
{
    return qint16(std::clamp(v, int(std::numeric_limits<qint16>::min()), int(std::numeric_limits<qint16>::max())));
}

// A path position in pixels, rounded half to even; a position past the 16-bit range is
// taken as the nearest 16-bit value, which is just as far outside the picture.
std::optional<qint16> pathPosition(double v)
{
    if (const auto n = platform::vb::ToInt16(v))
        return n;
    if (std::isnan(v))
        return std::nullopt;
    return v > 0 ? std::numeric_limits<qint16>::max() : std::numeric_limits<qint16>::min();
}

} // namespace

Graphics::Graphics(SharedState& state, const GlobalVariables& settings, SimulationHost& host)
    : state_(state), settings_(settings), host_(host)
{
}

Graphics::~Graphics() = default;

void Graphics::markDirty(const QRect& r) const
{
    const QRect clipped = r & simDC_.rect();
    if (!clipped.isEmpty())
        dirty_ |= clipped;
}

void Graphics::fillRect(const QRect& r, qint32 winColour)
{
    const QRect target = r & simDC_.rect();
    if (target.isEmpty())
        return;
    const QRgb pixel = ToPixel(winColour);
    for (int y = target.top(); y <= target.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(simDC_.scanLine(y));
        std::fill(row + target.left(), row + target.left() + target.width(), pixel);
    }
    markDirty(target);
}

void Graphics::InitSimBuffer()
{
    const int w = state_.SimWidth;
    const int h = state_.SimHeight;
    dropHeldTool(); // it belonged to the old buffer
    simDC_ = QImage();
    dirty_ = QRect();
    if (w > 0 && h > 0) {
        QImage buffer(w, h, QImage::Format_RGB32);
        if (buffer.isNull()) {
            platform::MsgBox(QStringLiteral("Out of memory"), platform::vbOKOnly);
            return;
        }
        simDC_ = std::move(buffer);
    }
    axisRow_ = qint16(h % 2 == 0 ? h / 2 : (h - 1) / 2);
    ClearSimBuffer();
}

void Graphics::ClearSimBuffer()
{
    dropHeldTool(); // painted over anyway
    if (simDC_.isNull())
        return;
    simDC_.fill(ToPixel(settings_.SimBackColor));
    dirty_ = simDC_.rect();
}

void Graphics::RefreshSimulation()
{
    drawHeldTool();
    const QRect dirty = dirty_;
    dirty_ = QRect();
    host_.ShowSimulation(simDC_, dirty);
}

std::optional<qint32> Graphics::GetPixel(int x, int y) const
{
    drawHeldTool();
    if (!simDC_.valid(x, y))
        return std::nullopt;
    return platform::FromPixel(reinterpret_cast<const QRgb*>(simDC_.constScanLine(y))[x]);
}

void Graphics::DeleteToolDCs()
{
    drawHeldTool(); // in the pictures of the tool that drew it
    toolDC_ = {};
    cutCoversTool_ = false;
}

void Graphics::LoadTool(const QString& Path, qint16 Width, qint16 Height)
{
    state_.ToolWidth = Width;
    state_.ToolHeight = Height;
    // Whatever happens below, the pictures of the previous tool are not drawn again.
    DeleteToolDCs();

    platform::PictureReading picture = platform::ReadPicture(platform::ResolvePath(Path));
    switch (picture.problem) {
    case platform::PictureProblem::None:
        break;
    case platform::PictureProblem::Missing:
    case platform::PictureProblem::NotAFile:
        platform::MsgBox(QStringLiteral("File not found"), platform::vbOKOnly);
        return;
    case platform::PictureProblem::TooLarge:
        platform::MsgBox(QStringLiteral("Picture too large"), platform::vbOKOnly);
        return;
    case platform::PictureProblem::Unreadable:
        platform::MsgBox(QStringLiteral("Invalid picture"), platform::vbOKOnly);
        return;
    }
    const QImage bitmap = std::move(picture.image).convertToFormat(QImage::Format_RGB32);

    // Only the given size from the top-left corner counts, and nothing beyond the bitmap.
    const int width = std::max(0, int(Width));
    const int height = std::max(0, int(Height));
    const int usedWidth = std::min(width, bitmap.width());
    const int usedHeight = std::min(height, bitmap.height());

    Stamp& tool = toolDC_[0];
    Stamp& cut = toolDC_[1];
    Stamp& flipped = toolDC_[2];
    for (Stamp* s : {&tool, &cut, &flipped}) {
        s->width = width;
        s->height = height;
        s->rowStart.assign(size_t(height) + 1, 0);
    }

    // Opaque runs of every row of the tool picture.
    std::vector<std::vector<Stamp::Span>> rows(static_cast<size_t>(height));
    for (int y = 0; y < usedHeight; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
        int x = 0;
        while (x < usedWidth) {
            if ((line[x] & 0xFFFFFFu) == Magenta) {
                ++x;
                continue;
            }
            Stamp::Span span;
            span.x0 = x;
            while (x < usedWidth && (line[x] & 0xFFFFFFu) != Magenta)
                ++x;
            span.length = x - span.x0;
            span.source = int(tool.colours.size());
            tool.colours.insert(tool.colours.end(), line + span.x0, line + x);
            rows[size_t(y)].push_back(span);
        }
    }

    // The cut stamps hold the background colour where the tool is, black (their key)
    // elsewhere: with a black background they hold nothing to draw.
    cut.fill = flipped.fill = ToPixel(settings_.SimBackColor);
    const bool cutsSomething = (cut.fill & 0xFFFFFFu) != 0;
    cut.fillRow.assign(size_t(width), cut.fill);
    flipped.fillRow = cut.fillRow;

    auto finishRow = [](Stamp& s, int y, const std::vector<Stamp::Span>& spans) {
        s.rowStart[size_t(y)] = int(s.spans.size());
        for (const Stamp::Span& span : spans) {
            s.spans.push_back(span);
            s.bounds |= QRect(span.x0, y, span.length, 1);
        }
    };
    const std::vector<Stamp::Span> none;
    for (int y = 0; y < height; ++y) {
        finishRow(tool, y, rows[size_t(y)]);
        finishRow(cut, y, cutsSomething ? rows[size_t(y)] : none);
        finishRow(flipped, y, cutsSomething ? rows[size_t(height - 1 - y)] : none);
    }
    for (Stamp* s : {&tool, &cut, &flipped})
        s->rowStart[size_t(height)] = int(s->spans.size());
    // Same spans as the tool picture, and not transparent.
    cutCoversTool_ = cutsSomething && !tool.empty();
}

QImage Graphics::ToolDC(int index) const
{
    if (index < 0 || index > 2)
        return {};
    const Stamp& s = toolDC_[size_t(index)];
    if (s.width <= 0 || s.height <= 0)
        return {};
    QImage picture(s.width, s.height, QImage::Format_RGB32);
    picture.fill(index == 0 ? 0xFF000000u | Magenta : 0xFF000000u);
    for (int y = 0; y < s.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int k = s.rowStart[size_t(y)]; k < s.rowStart[size_t(y) + 1]; ++k) {
            const Stamp::Span& span = s.spans[size_t(k)];
            for (int i = 0; i < span.length; ++i)
                row[span.x0 + i] = s.colours.empty() ? s.fill : s.colours[size_t(span.source + i)];
        }
    }
    return picture;
}

void Graphics::drawHeldTool() const
{
    if (!heldTool_)
        return;
    const QPoint at = *heldTool_;
    heldTool_.reset();
    stamp(toolDC_[0], at.x(), at.y());
}

void Graphics::stamp(const Stamp& s, int left, int top) const
{
    if (s.empty() || simDC_.isNull())
        return;
    const QRect target = s.bounds.translated(left, top) & simDC_.rect();
    if (target.isEmpty())
        return;
    const int pictureWidth = simDC_.width();
    const qsizetype stride = simDC_.bytesPerLine();
    uchar* bits = simDC_.bits();
    for (int y = target.top(); y <= target.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + qsizetype(y) * stride);
        const int sy = y - top;
        const int end = s.rowStart[size_t(sy) + 1];
        for (int k = s.rowStart[size_t(sy)]; k < end; ++k) {
            const Stamp::Span& span = s.spans[size_t(k)];
            const int from = left + span.x0;
            const int c0 = std::max(from, 0);
            const int c1 = std::min(from + span.length, pictureWidth);
            if (c0 >= c1)
                continue;
            // Whole rows copied: the library's copy uses the widest stores the processor has.
            if (s.colours.empty())
                std::memcpy(row + c0, s.fillRow.data(), size_t(c1 - c0) * sizeof(QRgb));
            else
                std::memcpy(row + c0, s.colours.data() + span.source + (c0 - from), size_t(c1 - c0) * sizeof(QRgb));
        }
    }
    markDirty(target);
}

void Graphics::DrawBillet(qint16 Length, qint16 Diameter)
{
    drawHeldTool();
    state_.BilletLength = Length;
    if (Length < 0) {
        // No profile for a billet that is not there: the 3D view and DrawTool see none.
        state_.WorkPieceProfile.clear();
        platform::MsgBox(QStringLiteral("Subscript out of range"), platform::vbOKOnly);
        return;
    }
    const qint16 r = *platform::vb::ToInt16(Diameter / 2.0);
    state_.WorkPieceProfile.assign(size_t(Length) + 1, ProfileEntry{r, 0});

    const int top = int(axisRow_) - r;
    const int height = 2 * int(r);
    if (!platform::vb::ToInt16(top) || !platform::vb::ToInt16(height)) {
        platform::MsgBox(QStringLiteral("Overflow"), platform::vbOKOnly);
        return;
    }
    if (Length > 0 && height > 0)
        fillRect(QRect(0, top, Length, height), settings_.WorkPieceColor);
}

void Graphics::DrawTool(qint16 Z, qint16 X)
{
    auto& profile = state_.WorkPieceProfile;
    const int i = -int(Z);
    if (i >= 0 && i <= state_.BilletLength && i < int(profile.size())) {
        ProfileEntry& entry = profile[size_t(i)];
        const int radius = std::abs(int(X));
        if (entry.Radius > radius) {
            if (state_.TaperMove == 1)
                entry.Taper = 1;
            entry.Radius = qint16(radius);
        }
    }

    const int left = int(state_.BilletLength) + Z;
    const int top = int(axisRow_) - X - state_.ToolHeight;
    // A held tool picture is covered by this upper cut only where the cut lands on it.
    if (heldTool_ && *heldTool_ != QPoint(ToolPrevX, ToolPrevY))
        drawHeldTool();
    stamp(toolDC_[1], ToolPrevX, ToolPrevY);
    heldTool_.reset();
    ToolPrevX = clampToInt16(left);
    ToolPrevY = clampToInt16(top);
    stamp(toolDC_[2], left, int(axisRow_) + X);
    if (cutCoversTool_ && ToolPrevX == left && ToolPrevY == top)
        heldTool_ = QPoint(left, top);
    else
        stamp(toolDC_[0], left, top);
}

void Graphics::DrawEdgeEffect()
{
    drawHeldTool();
    const qint32 work = settings_.WorkPieceColor;
    const qint32 back = settings_.SimBackColor;
    const QRgb effect = ToPixel(settings_.EffectColor);
    const int simHeight = state_.SimHeight;
    for (int c = 0; c <= state_.BilletLength; ++c) {
        for (int y = 0; y <= axisRow_; ++y) {
            if (GetPixel(c, y) != work || GetPixel(c + 1, y) != back)
                continue;
            const int last = simHeight - y + 2;
            for (int r = y; r <= last; ++r) {
                if (GetPixel(c, r) == work) {
                    reinterpret_cast<QRgb*>(simDC_.scanLine(r))[c] = effect;
                    markDirty(QRect(c, r, 1, 1));
                }
            }
        }
    }
    RefreshSimulation();
}

void Graphics::PlaySound(const QString& File)
{
    platform::PlaySound(File);
}

void Graphics::AnimateToolPath()
{
    // The bound is taken once, as the loop has always done; a handler run during a yield
    // may build a new path, so every point is read afresh and checked.
    const int last = int(state_.ToolPath.size()) - 1;
    // Running to a breakpoint, a point on the pixel of the point drawn just before it, with
    // nothing run in between, leaves picture and profile as they are: its upper cut lands on
    // the tool picture drawn there, its lower cut on pixels already cut, the tool picture is
    // the same, and the radius there is no longer above |X|. Any yield may change the
    // picture, the tool or the run mode, so it forgets the previous point.
    bool drawnBefore = false;
    qint16 drawnZ = 0;
    qint16 drawnX = 0;
    for (int i = 0; i <= last; ++i) {
        for (;;) {
            if (state_.StopRequested)
                return;
            if (host_.IsRunPaused()) {
                drawnBefore = false;
                host_.WaitForEvents();
                continue;
            }
            break;
        }
        if (i >= int(state_.ToolPath.size()))
            return;

        const ToolPathPoint point = state_.ToolPath[size_t(i)];
        const auto z = pathPosition(state_.PassOffsetZ + point.Z);
        const auto x = pathPosition(state_.PassOffsetX + point.X);
        if (z && x) {
            if (!(state_.RunToBreakpoint && drawnBefore && *z == drawnZ && *x == drawnX))
                DrawTool(*z, *x);
            drawnBefore = true;
            drawnZ = *z;
            drawnX = *x;
        }

        if (state_.RunToBreakpoint)
            continue;
        drawnBefore = false;

        const int v = host_.SliderValue();
        if (v <= 0) {
            host_.SleepMs(-v * 5);
            RefreshSimulation();
            host_.DoEvents();
        } else if (i % v == 0) {
            RefreshSimulation();
            host_.DoEvents();
        }

        const bool sound = host_.PlaySoundChecked();
        if (state_.IsRapid) {
            i += 5;
            if (sound && !FastSoundOn) {
                PlaySound(platform::ProgramFile(QStringLiteral("\\sound\\fast.wav")));
                FastSoundOn = true;
            }
        } else if (sound && FastSoundOn) {
            PlaySound(platform::ProgramFile(QStringLiteral("\\sound\\SLOW.wav")));
            FastSoundOn = false;
        }
    }
}
