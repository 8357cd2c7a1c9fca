// Where the keyboard goes when a notice shows, on a real window system: the offscreen
// platform activates every window it shows, so only a display can tell.
#include "test_run_window.h"

#include "splash/frmInfo.h"

#include <QPointer>
#include <QTest>

namespace {

const bool usesDisplay = UseDisplayPlatform();

class NoticeFocus : public RunWindow
{
};

} // namespace

TEST_F(NoticeFocus, AModelessNoticeLeavesTheKeyboardWhereItWas)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display";
    Start();
    QWidget* active = QApplication::activeWindow();
    ASSERT_EQ(active, window.get()) << "the main window has the keyboard before the notice shows";
    window->SetNoticeText("Spindle Start CW");
    window->ShowNotice(0, 2000);
    QPointer<frmInfo> notice = window->Notice();
    ASSERT_TRUE(notice);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(notice));
    QTest::qWait(200); // time for a change of focus to come back from the display
    EXPECT_EQ(QApplication::activeWindow(), active) << "a modeless notice leaves the keyboard where it was";
}
