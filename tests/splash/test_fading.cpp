#include "splash/frmInfo.h"
#include "splash/frmSplash.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include "platform/AppPaths.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Records every alpha the window applies, and drives the fade timers by hand so that the
// sequence does not depend on how fast 1 ms ticks arrive.
struct Fade
{
    explicit Fade(FadingWindow& w) : window(w)
    {
        applied.push_back(w.Alpha); // what Form_Load applied before we could listen
        QObject::connect(&w, &FadingWindow::AlphaApplied, [this](int a) { applied.push_back(a); });
        w.Timer1->stop(); // ticks come from the test from here on
    }
    // Fade-in ticks until the window stops its fade-in timer itself.
    void FadeInFully()
    {
        window.Timer1->start();
        while (window.Timer1->isActive())
            window.Timer1_Timer();
    }
    int FadeOut()
    {
        int ticks = 0;
        window.Timer2->stop();
        while (!window.IsUnloaded() && ticks < 1000) {
            window.Timer2_Timer();
            ++ticks;
        }
        return ticks;
    }
    FadingWindow& window;
    std::vector<int> applied;
};

std::vector<int> range(int from, int to, int step)
{
    std::vector<int> v;
    for (int a = from; step > 0 ? a <= to : a >= to; a += step)
        v.push_back(a);
    return v;
}

} // namespace

TEST(Splash, FadesInToTwoFiftyAndOutFromTwoFiftyFive)
{
    frmSplash splash;
    EXPECT_EQ(splash.size(), QSize(543, 355));
    EXPECT_FALSE(splash.Picture().isNull()) << "the splash picture beside the program";
    Fade fade(splash);
    fade.FadeInFully();
    std::vector<int> expected{0};
    for (int a : range(0, 250, 5))
        expected.push_back(a);
    expected.push_back(250);
    EXPECT_EQ(fade.applied, expected); // Form_Load's 0, then 52 ticks
    EXPECT_EQ(splash.Alpha, 255);

    fade.applied.clear();
    splash.Form_Click();
    EXPECT_FALSE(splash.Timer1->isActive());
    EXPECT_TRUE(splash.Timer2->isActive());
    const int ticks = fade.FadeOut();
    EXPECT_EQ(fade.applied, range(255, 5, -5));
    EXPECT_EQ(ticks, 52); // 51 steps, then the tick that closes
    EXPECT_TRUE(splash.IsUnloaded());
}

TEST(Splash, APictureCutShortOrAPipeInItsPlaceShowsTheWindowWithoutIt)
{
    QFile shipped(platform::AppPath() + "/splash.bmp");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray first = shipped.read(200);
    {
        frmSplash whole; // the shipped picture as the image reader alone reads it
        EXPECT_EQ(whole.Picture().toImage(), QPixmap(shipped.fileName()).toImage());
    }
    QTemporaryDir folder;
    const platform::ScopedHook redirected(platform::SetAppPathForTesting, folder.path());
    WriteFileBytes(folder.path() + "/splash.bmp", first);
    {
        frmSplash splash;
        EXPECT_TRUE(splash.Picture().isNull());
    }
    const QString pipe = folder.path() + "/splash.bmp";
    ASSERT_TRUE(QFile::remove(pipe));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // Whatever waits for a writer of the pipe is let go after a while, so the test ends.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 60 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    QElapsedTimer clock;
    clock.start();
    {
        frmSplash splash;
        EXPECT_TRUE(splash.Picture().isNull());
    }
    const qint64 took = clock.elapsed();
    done = true;
    writer.join();
    EXPECT_LT(took, 1500);
}

TEST(Splash, AClickDuringTheFadeInFadesOutFromTheAlphaReached)
{
    frmSplash splash;
    Fade fade(splash);
    splash.Timer1->start();
    for (int i = 0; i < 10; ++i)
        splash.Timer1_Timer(); // applied 0..45, Alpha now 50
    splash.Form_Click();
    EXPECT_FALSE(splash.Timer1->isActive());
    fade.applied.clear();
    splash.Form_Click(); // a second click changes nothing
    EXPECT_EQ(splash.Alpha, 50);
    fade.FadeOut();
    EXPECT_EQ(fade.applied, range(50, 5, -5));
}

TEST(Splash, EscFadesOutAndOtherKeysDoNothing)
{
    frmSplash splash;
    splash.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
    splash.Timer1->stop();
    QTest::keyClick(&splash, Qt::Key_A);
    QTest::keyClick(&splash, Qt::Key_Return);
    EXPECT_FALSE(splash.Timer2->isActive());
    EXPECT_TRUE(splash.isVisible()) << "no key but Esc ends the splash, and Esc not at once";
    QTest::keyClick(&splash, Qt::Key_Escape);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.Timer2->isActive());
}

TEST(Splash, ShownModallyItWaitsForTheClickAndClosesAfterTheFade)
{
    frmSplash splash;
    QTimer::singleShot(30, &splash, [&] {
        QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(100, 100));
    });
    QElapsedTimer clock;
    clock.start();
    platform::ShowModalForReal(splash);
    EXPECT_TRUE(splash.IsUnloaded());
    EXPECT_FALSE(splash.isVisible());
    EXPECT_GE(clock.elapsed(), 30);
}

TEST(Splash, TheRegionRoundsTheCornersOfA545By355Rectangle)
{
    const QRegion r = FadingWindow::RoundRegion();
    EXPECT_EQ(r.boundingRect(), QRect(0, 0, 545, 355));
    EXPECT_FALSE(r.contains(QPoint(0, 0)));
    EXPECT_FALSE(r.contains(QPoint(544, 354)));
    EXPECT_TRUE(r.contains(QPoint(10, 0)));
    EXPECT_TRUE(r.contains(QPoint(0, 10)));
    EXPECT_TRUE(r.contains(QPoint(272, 177)));
    // On the notice window only the top-left corner lies outside it.
    for (const QPoint corner : {QPoint(407, 0), QPoint(0, 51), QPoint(407, 51)})
        EXPECT_EQ(r.contains(corner), corner != QPoint(0, 0)) << corner.x() << "," << corner.y();
}

TEST(Notice, PlacedAtTheLowerRightOfTheScreen)
{
    EXPECT_EQ(NoticePositionTwips(15360, 11520, 6120), QPoint(9140, 9216));
    EXPECT_EQ(NoticePositionTwips(19200, 16200, 6120), QPoint(12980, 12960));
}

TEST(Notice, HoldsThenFadesOutFromWhereTheFadeInGot)
{
    frmInfo info;
    EXPECT_EQ(info.size(), QSize(408, 52));
    EXPECT_EQ(info.lblInfo->geometry(), QRect(8, 16, 377, 25));
    EXPECT_EQ(info.lblInfo->font().pointSize(), 12);
    Fade fade(info);
    info.Timer1->start();
    for (int i = 0; i < 20; ++i)
        info.Timer1_Timer(); // Alpha 100
    info.Timer4->setInterval(500);
    info.show();
    EXPECT_TRUE(info.Timer4->isActive()) << "the hold starts when the window shows";
    info.Timer4_Timer();
    EXPECT_FALSE(info.Timer1->isActive());
    EXPECT_TRUE(info.Timer2->isActive());
    info.Timer4_Timer(); // later ticks change nothing
    fade.applied.clear();
    fade.FadeOut();
    EXPECT_EQ(fade.applied, range(100, 5, -5));
}

TEST(Notice, AClickOnTheTextEndsTheHold)
{
    frmInfo info;
    info.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&info));
    QTest::mouseClick(info.lblInfo, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(info.Timer2->isActive());
    EXPECT_FALSE(info.Timer1->isActive());
}

TEST(Notice, ItsTextIsReadToAssistiveTechnology)
{
    frmInfo info;
    info.lblInfo->setText("Coolant: ON");
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(info.lblInfo);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(QAccessible::Name), "Coolant: ON");
}
