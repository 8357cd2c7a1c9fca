#include "mainwindow/SimPicture.h"

#include <QPaintEvent>
#include <QPainter>
#include <cstring>

SimPicture::SimPicture(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SimPicture::SetBackColor(const QColor& color)
{
    if (back_ == color)
        return;
    back_ = color;
    update();
}

void SimPicture::Show(const QImage& buffer, const QRect& dirty)
{
    QRect changed;
    if (image_.size() != buffer.size() || image_.format() != buffer.format() || image_.isNull()) {
        image_ = buffer.copy();
        changed = image_.rect();
    } else {
        changed = dirty.intersected(image_.rect());
        if (changed.isEmpty())
            return;
        const int bpp = image_.depth() / 8;
        if (bpp > 0) {
            const qsizetype bytes = qsizetype(changed.width()) * bpp;
            for (int y = changed.top(); y <= changed.bottom(); ++y)
                std::memcpy(image_.scanLine(y) + qsizetype(changed.left()) * bpp,
                            buffer.constScanLine(y) + qsizetype(changed.left()) * bpp, size_t(bytes));
        } else {
            QPainter p(&image_);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(changed.topLeft(), buffer, changed);
        }
    }
    const QRect onScreen = changed.translated(contentsRect().topLeft());
    if (painting_)
        changedInPaint_ |= onScreen;
    else
        update(onScreen);
}

void SimPicture::paintEvent(QPaintEvent* event)
{
    if (onPaint) {
        painting_ = true;
        changedInPaint_ = QRect();
        onPaint();
        painting_ = false;
        // What changed outside the area being painted now is shown by the next paint.
        const QRegion later = QRegion(changedInPaint_).subtracted(event->region());
        if (!later.isEmpty())
            update(later);
    }
    QPainter p(this);
    const QRect inner = contentsRect();
    const QRect area = event->rect().intersected(inner);
    const QRect picture = QRect(inner.topLeft(), image_.size()).intersected(inner);
    const QRect shown = area.intersected(picture);
    if (!shown.isEmpty())
        p.drawImage(shown.topLeft(), image_, shown.translated(-inner.topLeft()));
    // Outside the buffer (a picture larger than it) the background shows.
    QRegion rest = QRegion(area).subtracted(QRegion(shown));
    for (const QRect& r : rest)
        p.fillRect(r, back_);
    if (!inner.contains(event->rect()))
        drawFrame(&p);
}
