#pragma once
// A small simulation picture with recognisable colours and a tiny tool bitmap, for tests
// that check single pixels and profile entries.

#include "FakeSimulationHost.h"
#include "TestSupport.h"
#include "platform/gui/WinColour.h"
#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"
#include "simulation/Graphics.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

// Colours chosen so that swapping red and blue anywhere shows.
inline constexpr qint32 Work = platform::WinRgb(200, 10, 30);
inline constexpr qint32 Back = platform::WinRgb(250, 240, 5);
inline constexpr qint32 Effect = platform::WinRgb(20, 120, 220);
inline constexpr qint32 ToolColour = platform::WinRgb(90, 60, 30);

class GraphicsTest : public ::testing::Test
{
protected:
    GraphicsTest()
    {
        settings.WorkPieceColor = Work;
        settings.SimBackColor = Back;
        settings.EffectColor = Effect;
    }

    // A picture of w x h, blank.
    void picture(int w, int h)
    {
        state.SimWidth = qint16(w);
        state.SimHeight = qint16(h);
        g.InitSimBuffer();
    }

    // Writes a 24-bit bitmap from rows of 'M' (magenta) and 'T' (tool colour); returns its path.
    QString toolFile(const std::vector<const char*>& rows, const QString& name = "t.bmp")
    {
        const int h = int(rows.size());
        const int w = int(strlen(rows[0]));
        QImage img(w, h, QImage::Format_RGB888);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img.setPixelColor(x, y, rows[size_t(y)][x] == 'M' ? QColor(255, 0, 255) : platform::FromWinRgb(ToolColour));
        const QString path = dir.filePath(name);
        EXPECT_TRUE(img.save(path, "BMP"));
        return path;
    }

    // The standard small tool: 4 wide, 3 high, reference point (0, 2) part of it.
    QString smallTool()
    {
        return toolFile({"MTTM",
                         "TTTM",
                         "TTMM"});
    }

    qint32 px(int x, int y) const { return g.GetPixel(x, y).value_or(-12345); }

    QTemporaryDir dir;
    SharedState state;
    GlobalVariables settings;
    FakeSimulationHost host;
    Graphics g{state, settings, host};
};
