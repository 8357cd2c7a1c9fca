// What the grid and the status bar paint while a run yields: what changed, and only that.
#include "test_run_window.h"

#include "mainwindow/PanelStatusBar.h"
#include "platform/gui/WinColour.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QProgressBar>
#include <functional>
#include <map>

namespace {

// The paints of some widgets and their children, and the area each covered, in the
// coordinates of the widget watched.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(std::vector<QWidget*> roots) : roots_(std::move(roots)) { qApp->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && (recording || (when && when()))) {
            auto* w = static_cast<QWidget*>(watched);
            for (QWidget* root : roots_)
                if (w == root || root->isAncestorOf(w))
                    painted[w] += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }

    int PaintedWidgets() const { return int(painted.size()); }
    QRegion In(QWidget* w) const
    {
        const auto it = painted.find(w);
        return it == painted.end() ? QRegion() : it->second;
    }

    bool recording = false;
    std::function<bool()> when; // records also while this holds
    std::map<QWidget*, QRegion> painted;

private:
    std::vector<QWidget*> roots_;
};

class RunPainting : public RunWindow
{
protected:
    // What the X server shows of a widget (or a part of it), against what the widget would
    // paint now.
    void ExpectTheScreenShowsItAsItStands(QWidget* w, QRect part = QRect())
    {
        if (part.isNull())
            part = w->rect();
        const QPoint at = w->mapTo(window.get(), part.topLeft());
        const QImage screen = QGuiApplication::primaryScreen()
                                  ->grabWindow(window->winId(), at.x(), at.y(), part.width(), part.height())
                                  .toImage()
                                  .convertToFormat(QImage::Format_RGB32);
        const QImage now = w->grab(part).toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(screen, now) << w->metaObject()->className() << " on the screen is not as it stands";
    }

    QRegion RowCells(int row)
    {
        QRegion r;
        for (int col = 1; col <= 2; ++col)
            r += CellRect(row, col);
        return r;
    }
};

// A long feed move in the middle (row 3) and short ones around it.
const QString LongMove = "[BILLET X20 Z40\r\n"
                         "G00 X22 Z2\r\n"
                         "G01 X18 Z0 F100\r\n"
                         "G01 X18 Z-35\r\n"
                         "G01 X24 Z-35";

TEST_F(RunPainting, WhileAMoveIsAnimatedNothingUnchangedRepaints)
{
    Start(LongMove);
    ShowGrid();
    window->Slider->setValue(0); // every point refreshes and yields
    PaintRecorder paints({window->DebugWindow, window->StatusBar, window->ProgressBar});
    int rowYields = 0, intervalsPassed = 0;
    bool watching = false;
    // From a few points into the move of row 3 until the loop leaves the row (the progress
    // bar moves on before anything else).
    paints.when = [&] { return watching && window->ProgressBar->value() == 4; };
    window->onYield = [&] {
        if (state.CurrentLine != 3)
            return;
        if (++rowYields == 3) {
            // The row's highlight and what its block set are painted before the watch begins.
            QTest::qWait(50);
            watching = true;
        } else if (rowYields % 25 == 0 && watching) {
            QTest::qWait(20); // past the paint interval: the next yield paints what changed
            ++intervalsPassed;
        }
    };
    window->mnuRunStart_Click();
    EXPECT_GE(intervalsPassed, 4);
    EXPECT_EQ(paints.PaintedWidgets(), 0) << "the grid, the status bar or the progress bar repainted unchanged";
    EXPECT_EQ(window->ProgressBar->value(), 5); // the run went to its end
}

TEST_F(RunPainting, WhenTheRowChangesOnlyItsCellsAndTheChangedPanelRepaint)
{
    Start("[BILLET X20 Z40\r\n"
          "G00 X22 Z2\r\n"
          "G01 X16 Z0 F100\r\n"
          "G01 X16 Z-2 F250\r\n"
          "G01 X16 Z-4\r\n"
          "G01 X16 Z-6\r\n"
          "G01 X16 Z-8\r\n"
          "G01 X16 Z-10\r\n"
          "G01 X16 Z-12");
    ShowGrid();
    FlexGrid& grid = Grid();
    PaintRecorder paints({window->DebugWindow, window->StatusBar});
    QImage shot;
    std::map<int, int> yields;
    window->onYield = [&] {
        const int n = ++yields[state.CurrentLine];
        if (state.CurrentLine == 2 && n == 1) {
            QTest::qWait(50); // all painted; the next yields come within one paint interval
        } else if (state.CurrentLine == 3 && n == 2) {
            // Since the last paint, row 3 took the highlight and its block a new feed while the
            // painting was held: the timer paints that now.
            paints.recording = true;
            QTest::qWait(50);
            paints.recording = false;
            shot = grid.viewport()->grab().toImage();
            ExpectTheScreenShowsItAsItStands(grid.viewport());
            // (The progress bar and the slider lie over the status bar.)
            ExpectTheScreenShowsItAsItStands(window->StatusBar,
                                             window->StatusBar->PanelRect(QStringLiteral("FeedRate")));
        }
    };
    // Running to a breakpoint, moves do not yield: the loop's yields come one after another.
    window->mnuRunRunToBreakpoint_Click();
    ASSERT_FALSE(shot.isNull());

    const QRegion cells = paints.In(grid.viewport());
    const QRegion changed = (RowCells(2) + RowCells(3)).intersected(grid.viewport()->rect());
    EXPECT_TRUE(changed.subtracted(cells).isEmpty()) << "a changed cell was not repainted";
    EXPECT_TRUE(cells.subtracted(changed).isEmpty())
        << "painted beyond the rows that changed: " << cells.boundingRect().height() << " px high";
    const QRect executing = CellRect(3, 2), before = CellRect(2, 2);
    EXPECT_EQ(platform::ToWinRgb(QColor(shot.pixel(executing.left() + 1, executing.center().y()))),
              settings.ExecutionPointColor);
    EXPECT_EQ(platform::ToWinRgb(QColor(shot.pixel(before.left() + 1, before.center().y()))), settings.NormalBackColor);

    // The line numbers did not change; of the status bar, only the feed did.
    std::map<QWidget*, QRegion> others = paints.painted;
    others.erase(grid.viewport());
    others.erase(window->StatusBar);
    for (const auto& [w, region] : others)
        ADD_FAILURE() << w->metaObject()->className() << " repainted " << region.boundingRect().width() << " x "
                      << region.boundingRect().height();
    const QRegion panels = paints.In(window->StatusBar);
    const QRect feed = window->StatusBar->PanelRect(QStringLiteral("FeedRate"));
    EXPECT_TRUE(QRegion(feed).subtracted(panels).isEmpty()) << "the new feed was not painted";
    EXPECT_TRUE(panels.subtracted(feed).isEmpty())
        << "the status bar repainted " << panels.boundingRect().width() << " px wide";
}

TEST_F(RunPainting, ARefillWhileTheRunHoldsThePaintingWaitsForItAndThenShowsTheNewRows)
{
    Start("[BILLET X20 Z40\r\n"
          "G00 X22 Z2\r\n"
          "G01 X16 Z0 F100\r\n"
          "G01 X16 Z-2\r\n"
          "G01 X16 Z-4\r\n"
          "G01 X16 Z-6");
    ShowGrid();
    FlexGrid& grid = Grid();
    PaintRecorder paints({window->DebugWindow});
    bool refilled = false;
    int paintsBeforeRelease = -1;
    QImage shot;
    std::map<int, int> yields;
    window->onYield = [&] {
        const int n = ++yields[state.CurrentLine];
        if (state.CurrentLine == 2 && n == 1) {
            QTest::qWait(50); // all painted; the next yields come within one paint interval
        } else if (state.CurrentLine == 3 && n == 1) {
            refilled = true;
            // The run's throttle holds the grid's painting here; a refill must not let it go.
            window->TextEditor->SetText("[BILLET X20 Z40\r\nG00 X22 Z2\r\nG01 X10 Z0\r\nG01 X10 Z-1\r\n"
                                        "G01 X10 Z-2\r\nG01 X10 Z-3");
            paints.recording = true;
            window->LoadDebugWindow();
            QCoreApplication::processEvents();
            paintsBeforeRelease = paints.PaintedWidgets();
            QTest::qWait(50);
            paints.recording = false;
            shot = grid.grab().toImage();
            ExpectTheScreenShowsItAsItStands(&grid);
        }
    };
    window->mnuRunRunToBreakpoint_Click();
    ASSERT_TRUE(refilled);
    EXPECT_EQ(paintsBeforeRelease, 0) << "the refill painted while the run held the grid";
    // The viewport, but for what the panes of the fixed column lay over it.
    QRegion whole(grid.viewport()->rect());
    for (QWidget* w : grid.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != grid.viewport() && w->isVisible())
            whole -= QRect(grid.viewport()->mapFrom(&grid, w->pos()), w->size());
    EXPECT_FALSE(whole.isEmpty());
    EXPECT_TRUE(whole.subtracted(paints.In(grid.viewport())).isEmpty())
        << "the refilled grid was not repainted whole at the release";
    EXPECT_TRUE(grid.updatesEnabled());
    EXPECT_EQ(grid.Rows(), 6);
    EXPECT_EQ(grid.TextMatrix(2, 2), QStringLiteral("G01 X10 Z0"));
    // The new rows show with their normal look, the grid painted as it now stands.
    const QRect cell = CellRect(2, 2).translated(grid.viewport()->geometry().topLeft());
    EXPECT_EQ(platform::ToWinRgb(QColor(shot.pixel(cell.left() + 1, cell.center().y()))), settings.NormalBackColor);
}

} // namespace
