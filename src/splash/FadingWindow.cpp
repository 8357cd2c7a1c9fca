#include "splash/FadingWindow.h"

#include "platform/KeyCodes.h"
#include "platform/widgets/WindowOpacity.h"

#include <QBitmap>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {
constexpr int LayeredAlpha = 2; // the flag that says "use the alpha value"
} // namespace

FadingWindow::FadingWindow(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(false);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1);
    Timer2 = new QTimer(this);
    Timer2->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &FadingWindow::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &FadingWindow::Timer2_Timer);
    Timer1->start(); // enabled from the start: the fade-in runs even before the window shows
}

QRegion FadingWindow::RoundRegion()
{
    // The region excludes its right and bottom edges, as a window region does.
    QBitmap mask(545, 355);
    mask.fill(Qt::color0);
    QPainter p(&mask);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::color1);
    p.drawRoundedRect(QRectF(0, 0, 545, 355), 10.0, 10.0);
    p.end();
    return QRegion(mask);
}

void FadingWindow::Form_Load()
{
    setMask(RoundRegion());
    Alpha = 0;
    SetWindowAlpha(ColourKey, 0, LayeredAlpha);
}

void FadingWindow::SetWindowAlpha(qint32 Key, qint16 AlphaValue, quint8 Flags)
{
    Q_UNUSED(Key);
    Q_UNUSED(Flags);
    // Without a compositor the opacity is kept but not seen: the window shows opaque.
    platform::SetWindowOpacityNow(*this, double(quint8(AlphaValue)) / 255.0);
    emit AlphaApplied(quint8(AlphaValue));
}

void FadingWindow::Timer1_Timer()
{
    if (Alpha > 250) {
        Alpha = 250;
        Timer1->stop();
    }
    SetWindowAlpha(ColourKey, Alpha, LayeredAlpha);
    Alpha = qint16(Alpha + 5);
}

void FadingWindow::Timer2_Timer()
{
    if (Alpha >= 5) {
        SetWindowAlpha(ColourKey, Alpha, LayeredAlpha);
        Alpha = qint16(Alpha - 5);
        return;
    }
    Unload();
}

void FadingWindow::Unload()
{
    Timer1->stop();
    Timer2->stop();
    unloaded_ = true;
    done(QDialog::Accepted); // a modal caller goes on; a window that deletes on close is deleted
}

void FadingWindow::Form_Click()
{
    Timer1->stop();
    if (!Timer2->isActive())
        Timer2->start();
}

void FadingWindow::Form_KeyUp(qint16 KeyCode, qint16 Shift)
{
    Q_UNUSED(Shift);
    if (KeyCode == platform::keycode::Escape)
        Form_Click();
}

void FadingWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
    QDialog::mouseReleaseEvent(event);
}

void FadingWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc fades the window out on release; it must not close it at once as a dialog would.
    event->accept();
}

void FadingWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat())
        Form_KeyUp(event->key() == Qt::Key_Escape ? platform::keycode::Escape : platform::keycode::None, 0);
    event->accept();
}

void FadingWindow::closeEvent(QCloseEvent* event)
{
    // Only the end of the fade-out closes the window; a close from outside fades it out.
    if (!unloaded_) {
        event->ignore();
        Form_Click();
        return;
    }
    QDialog::closeEvent(event);
}
