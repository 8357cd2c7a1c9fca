#pragma once
// The simulation picture: the back buffer in which the billet is drawn and the tool stamps
// the cut, the workpiece profile, and the animation of tool paths with its pacing and sounds.

#include <QImage>
#include <QRect>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

struct SharedState;
class GlobalVariables;
class SimulationHost;

class Graphics
{
public:
    Graphics(SharedState& state, const GlobalVariables& settings, SimulationHost& host);
    ~Graphics();

    void InitSimBuffer();
    void ClearSimBuffer();
    void RefreshSimulation();
    void LoadTool(const QString& Path, qint16 Width, qint16 Height);
    void DeleteToolDCs();
    void DrawBillet(qint16 Length, qint16 Diameter);
    void DrawTool(qint16 Z, qint16 X);
    void DrawEdgeEffect();

    void AnimateToolPath();
    void PlaySound(const QString& File);

    // The back buffer, exact RGB colours.
    const QImage& SimDC() const
    {
        drawHeldTool();
        return simDC_;
    }
    qint16 AxisRow() const { return axisRow_; }
    qint16 ToolPrevX = -500;
    qint16 ToolPrevY = -500;

    // True while the rapid sound started by the animation is playing, as far as it knows.
    bool FastSoundOn = false;

    // A pixel of the back buffer as a Windows RGB value; none outside the picture.
    std::optional<qint32> GetPixel(int x, int y) const;

    // The tool pictures as built by LoadTool (0 tool, 1 cut stamp, 2 flipped cut stamp), of
    // ToolWidth x ToolHeight, their transparent pixels in the key colour (magenta, black).
    QImage ToolDC(int index) const;

private:
    // A picture reduced to its opaque runs per row, so stamping copies rows instead of
    // testing every pixel against the key colour.
    struct Stamp
    {
        struct Span
        {
            int x0 = 0;     // first column
            int length = 0; // columns
            int source = 0; // index of its first colour in `colours` (pictures only)
        };
        int width = 0;
        int height = 0;
        std::vector<int> rowStart; // height + 1 entries into spans
        std::vector<Span> spans;
        std::vector<QRgb> colours; // per pixel of the spans; empty: every span is `fill`
        QRgb fill = 0;
        std::vector<QRgb> fillRow; // `fill` over the stamp's width, copied rather than looped
        QRect bounds; // of all spans, in stamp coordinates

        bool empty() const { return spans.empty(); }
    };

    void stamp(const Stamp& s, int left, int top) const;
    void fillRect(const QRect& r, qint32 winColour);
    void markDirty(const QRect& r) const;
    // Draws the tool picture that DrawTool held back, before anything else sees or changes
    // the buffer; dropHeldTool forgets it where the whole buffer is replaced anyway.
    void drawHeldTool() const;
    void dropHeldTool() { heldTool_.reset(); }

    SharedState& state_;
    const GlobalVariables& settings_;
    SimulationHost& host_;
    // The buffer is what DrawTool has drawn, held tool picture included: readers that see it
    // through a const accessor draw that picture first, hence mutable.
    mutable QImage simDC_;
    mutable QRect dirty_;
    qint16 axisRow_ = 0;
    std::array<Stamp, 3> toolDC_;
    // The next point's upper cut covers the tool picture exactly (same pixels, opaque), so
    // the picture is held back from the buffer until a reader or another change comes first.
    // Only while the cut stamp is opaque where the tool is (a background other than black).
    mutable std::optional<QPoint> heldTool_;
    bool cutCoversTool_ = false;
};
