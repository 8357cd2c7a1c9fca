#include "splash/frmInfo.h"

#include "platform/VbNumbers.h"
#include "platform/Twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

namespace {
constexpr int WidthTwips = 6120;
constexpr int HeightTwips = 780;
} // namespace

QPoint NoticePositionTwips(int screenWidthTwips, int screenHeightTwips, int windowWidthTwips)
{
    const double top = double(screenHeightTwips) * 0.8;
    return {screenWidthTwips - windowWidthTwips - 100, platform::vb::ToInt32(top).value_or(0)};
}

frmInfo::frmInfo(QWidget* parent) : FadingWindow(parent)
{
    setObjectName(QStringLiteral("frmInfo"));
    setFixedSize(platform::TwipsToPixelsTruncated(WidthTwips), platform::TwipsToPixelsTruncated(HeightTwips));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 225));
    pal.setColor(QPalette::WindowText, QColor(0, 0, 0));
    setPalette(pal);

    lblInfo = new QLabel(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    const auto px = platform::TwipsToPixelsTruncated;
    lblInfo->setGeometry(px(120), px(240), px(5655), px(375));
    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(12);
    lblInfo->setFont(font);
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblInfo->installEventFilter(this);

    Timer4 = new QTimer(this);
    // A coarse timer may end a hold up to 5 % early.
    Timer4->setTimerType(Qt::PreciseTimer);
    Timer4->setInterval(2000);
    connect(Timer4, &QTimer::timeout, this, &frmInfo::Timer4_Timer);

    SetTakesFocus(false);
    Form_Load();
}

void frmInfo::SetTakesFocus(bool takesFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating, !takesFocus);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus, !takesFocus);
}

void frmInfo::showEvent(QShowEvent* event)
{
    FadingWindow::showEvent(event);
    if (!placed_) {
        placed_ = true;
        Form_Resize();
    }
}

void frmInfo::Form_Resize()
{
    // On the screen that shows the owner, in its own coordinates.
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect s = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QPoint twips =
        NoticePositionTwips(platform::PixelsToTwips(s.width()), platform::PixelsToTwips(s.height()), WidthTwips);
    move(s.left() + platform::TwipsToPixelsHalfEven(twips.x()), s.top() + platform::TwipsToPixelsHalfEven(twips.y()));
    Timer4->start();
}

void frmInfo::Timer4_Timer()
{
    // As a click, and it stays on: later ticks change nothing until the window closes.
    Form_Click();
}

void frmInfo::lblInfo_Click()
{
    Form_Click();
}

bool frmInfo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblInfo && event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton && lblInfo->rect().contains(me->position().toPoint()))
            lblInfo_Click();
        return true;
    }
    return FadingWindow::eventFilter(watched, event);
}
