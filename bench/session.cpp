// A user's session with a big program, timed: open it through the recent-file list, edit a
// line in the middle of the program grid in place (Enter up to the editor holding the
// edit), then Run To Breakpoint (no breakpoints, so to the end of the run), split into the
// start phase (reformat, check, recolour, refill, up to the first row) and the run itself.
// Prints one line of "name=value" pairs; peak resident memory is the process's VmHWM.
//
// usage: bench_session PROGRAM.cnc [--open-only | --start-only | --animate] [--picture OUT.png]
//   --open-only  open and edit, start nothing
//   --start-only stop the run at its first row
//   --animate    no edit, and Start (F5) instead, with the speed slider where it starts (0):
//                every drawn point refreshes the picture and yields; also counts the points drawn
//   --picture    after the run, save the simulation picture (to compare builds pixel for pixel)
// Run it under Xvfb with a scratch XDG_CONFIG_HOME (bench/measure.sh does both).
#include "mainwindow/PanelStatusBar.h"
#include "mainwindow/frmMain.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/RichTextBox.h"
#include "platform/SettingsStore.h"
#include "settings/GlobalVariables.h"
#include "simulation/Graphics.h"
#include "shared/SharedState.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QProgressBar>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {

// Lets the window finish what it queued (layout, painting) before the clock is read.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

double peakMiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// Until the editor has laid out all its lines in the background: quiet for half a second.
void waitForLayout(const qint64& laidOutNs)
{
    for (qint64 last = -2; last != laidOutNs;) {
        last = laidOutNs;
        QEventLoop loop;
        QTimer::singleShot(500, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// A double click on the program-line cell of `row`, as the window system delivers it.
void doubleClickLine(FlexGrid& grid, int row)
{
    grid.SetTopRow(row);
    settle();
    const QPoint at = grid.visualRect(grid.model()->index(row, 2)).center();
    QWidget* viewport = grid.viewport();
    const QPointF global = viewport->mapToGlobal(QPointF(at));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), global, Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    }
}

// Counts the yields, of which the run loop's are known from the rows: the rest are the points
// the animation drew.
class CountingWindow : public frmMain
{
public:
    using frmMain::frmMain;
    void DoEvents() override
    {
        ++yields;
        frmMain::DoEvents();
    }
    long long yields = 0;
};

// Counts the paints of a widget and its children and the pixels they cover.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* root) : root_(root) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            (watched == root_ || root_->isAncestorOf(static_cast<QWidget*>(watched)))) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                pixels += qint64(r.width()) * r.height();
        }
        return false;
    }
    long long paints = 0;
    qint64 pixels = 0;

private:
    QWidget* root_;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM.cnc [--open-only | --start-only | --animate] [--picture OUT.png]\n", argv[0]);
        return 2;
    }
    const QStringList args = app.arguments();
    const bool openOnly = args.contains(QStringLiteral("--open-only"));
    const bool startOnly = args.contains(QStringLiteral("--start-only"));
    const bool animate = args.contains(QStringLiteral("--animate"));
    const qsizetype pictureArg = args.indexOf(QStringLiteral("--picture"));
    const QString picture = pictureArg > 0 && pictureArg + 1 < args.size() ? args[pictureArg + 1] : QString();
    const QString program = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    if (!QFileInfo(program).isFile()) {
        std::fprintf(stderr, "no such file: %s\n", argv[1]);
        return 2;
    }

    SharedState state;
    GlobalVariables settings;
    platform::QSettingsStore store;
    // No splash: it would wait for a click.
    GlobalVariables::SaveDefaultSettings(store);
    store.SaveSetting(QStringLiteral("CNC"), QStringLiteral("General"), QStringLiteral("SplashScreen"), QStringLiteral("0"));
    CountingWindow window(state, settings, store);
    window.Form_Load();
    window.show();
    // Listed only now, so that start-up does not open it: it is opened below, on the clock.
    store.SaveSetting(QStringLiteral("CNC"), QStringLiteral("RecentFilePaths"), QStringLiteral("0"), program);
    window.LoadRecentFiles();
    settle();
    const double idleMiB = peakMiB();

    QElapsedTimer clock;
    // The editor lays out the lines below its view in the background after the open, in steps
    // between events; the last step is when its scroll range stops growing.
    qint64 laidOutNs = -1;
    QObject::connect(window.TextEditor->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged,
                     &window, [&] { laidOutNs = clock.nsecsElapsed(); });
    clock.start();
    window.mnuFileRecentFiles_Click(0);
    settle();
    const double openS = clock.nsecsElapsed() / 1e9;
    const double openMiB = peakMiB();
    waitForLayout(laidOutNs);
    const double laidOutS = qMax(laidOutNs, qint64(0)) / 1e9;
    const double laidOutMiB = peakMiB();

    // The in-place edit, in the grid, which shows in place of the editor. An animated Start
    // runs the program as it was opened, so that its figures compare with builds before the edit.
    double editS = -1;
    if (!animate) {
        window.mnuViewDebugWindow_Click();
        settle();
        const int row = window.GridRowCount() / 2;
        doubleClickLine(*window.DebugWindow, row);
        if (window.txtDebug && window.txtDebug->isVisible() && window.EditRow == row) {
            const QString line = window.txtDebug->text() + QStringLiteral(" [EDITED");
            window.txtDebug->setText(line);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            clock.restart();
            QCoreApplication::sendEvent(window.txtDebug, &press);
            QCoreApplication::sendEvent(window.txtDebug, &release);
            settle();
            editS = clock.nsecsElapsed() / 1e9;
            if (window.TextEditor->Text().count(QStringLiteral(" [EDITED")) != 1)
                editS = -1; // the edit did not reach the editor
        }
        if (editS < 0)
            std::fprintf(stderr, "the in-place edit of row %d did not go through\n", row + 1);
        // Back to the editor, so that the start goes the way it goes after an open.
        window.mnuViewTextEditor_Click();
        settle();
        waitForLayout(laidOutNs);
    }

    if (openOnly) {
        std::printf("open_s=%.3f laid_out_s=%.3f edit_s=%.3f idle_MiB=%.1f open_peak_MiB=%.1f laid_out_peak_MiB=%.1f rows=%d\n",
                    openS, laidOutS, editS, idleMiB, openMiB, laidOutMiB, window.GridRowCount());
        return 0;
    }

    qint64 firstRowNs = -1;
    QObject::connect(window.ProgressBar, &QProgressBar::valueChanged, &window, [&](int value) {
        if (value == 1 && firstRowNs < 0) {
            firstRowNs = clock.nsecsElapsed();
            if (startOnly)
                window.mnuRunStop_Click();
        }
    });
    if (animate) {
        window.yields = 0;
        // What the grid, the status bar and the progress bar paint meanwhile.
        PaintCounter grid(window.DebugWindow), bar(window.StatusBar), progress(window.ProgressBar);
        // The process's own processor time is steadier than the clock on a busy machine
        // (what the X server spends is not in it).
        const std::clock_t cpuStart = std::clock();
        clock.restart();
        window.mnuRunStart->trigger();
        settle();
        const double runS = clock.nsecsElapsed() / 1e9;
        const double cpuS = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        long long loopYields = 0;
        // Stop resets the current line; the progress bar keeps the last row.
        for (int r = 0; r < window.ProgressBar->value() && r < window.GridRowCount(); ++r)
            loopYields += window.GridRowText(r).startsWith(u'[') ? 1 : 2;
        if (!picture.isEmpty())
            window.graphics().SimDC().save(picture);
        std::printf("open_s=%.3f animate_run_s=%.3f animate_cpu_s=%.3f points=%lld end_peak_MiB=%.1f rows=%d "
                    "grid_paints=%lld grid_kpx=%lld status_paints=%lld status_kpx=%lld progress_paints=%lld progress_kpx=%lld\n",
                    openS, runS, cpuS, window.yields - loopYields, peakMiB(), window.GridRowCount(), grid.paints,
                    grid.pixels / 1000, bar.paints, bar.pixels / 1000, progress.paints, progress.pixels / 1000);
        return 0;
    }
    clock.restart();
    window.mnuRunRunToBreakpoint->trigger();
    settle();
    const double totalS = clock.nsecsElapsed() / 1e9;
    const double startS = firstRowNs < 0 ? -1 : firstRowNs / 1e9;
    const double endMiB = peakMiB();

    if (!picture.isEmpty())
        window.graphics().SimDC().save(picture);
    std::printf("open_s=%.3f edit_s=%.3f start_s=%.3f run_to_end_s=%.3f idle_MiB=%.1f open_peak_MiB=%.1f end_peak_MiB=%.1f rows=%d\n",
                openS, editS, startS, totalS, idleMiB, openMiB, endMiB, window.GridRowCount());
    return 0;
}
