#include "options/OptionsWidgets.h"

#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "platform/gui/WinColour.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

constexpr int SwatchSize = platform::TwipsToPixelsTruncated(390);

} // namespace

ColourSwatch::ColourSwatch(QWidget* parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setFixedSize(SwatchSize, SwatchSize);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    SetBackColor(colour_);
}

void ColourSwatch::SetBackColor(qint32 rgb)
{
    colour_ = rgb;
    QPalette p = palette();
    p.setColor(QPalette::Window, platform::FromWinRgb(rgb));
    setPalette(p);
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void ColourSwatch::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        // As on a button: pressed now, chosen when let go.
        if (!event->isAutoRepeat())
            spaceDown_ = true;
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            event->accept();
            if (!event->isAutoRepeat())
                emit Click();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void ColourSwatch::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space) {
        QLabel::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat() || !spaceDown_)
        return;
    spaceDown_ = false;
    emit Click();
}

void ColourSwatch::focusOutEvent(QFocusEvent* event)
{
    spaceDown_ = false; // a Space let go elsewhere chooses nothing here
    QLabel::focusOutEvent(event);
}

void ColourSwatch::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = contentsRect().adjusted(2, 2, -2, -2);
    focus.backgroundColor = platform::FromWinRgb(colour_);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
}

PictureBox::PictureBox(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

double PictureBox::ScaleHeight() const
{
    return contentsRect().height();
}

void PictureBox::SetBackColor(qint32 rgb)
{
    back_ = rgb;
    image_ = QImage(contentsRect().size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(platform::ToPixel(rgb));
    update();
}

void PictureBox::FillBox(double x1, double y1, double x2, double y2, qint32 rgb)
{
    // Coordinates fall on whole pixels as the window system rounds them, halves to even.
    const auto whole = [](double v) { return int(platform::vb::ToInt32(v).value_or(0)); };
    const QRect box = QRect(QPoint(whole(x1), whole(y1)), QPoint(whole(x2), whole(y2))).normalized();
    QPainter p(&image_);
    p.fillRect(box, platform::FromWinRgb(rgb));
    update();
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    SetBackColor(back_);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    p.drawImage(contentsRect().topLeft(), image_);
}
