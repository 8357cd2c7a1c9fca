#include "mainwindow/GutterPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int Size = 14;

void drawBreak(QPainter& p)
{
    p.setPen(QPen(QColor(90, 0, 0), 1));
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(QRectF(1.5, 1.5, Size - 3, Size - 3));
}

void drawStep(QPainter& p)
{
    QPainterPath arrow;
    arrow.moveTo(1.5, 4.5);
    arrow.lineTo(7.5, 4.5);
    arrow.lineTo(7.5, 1.5);
    arrow.lineTo(12.5, 7.0);
    arrow.lineTo(7.5, 12.5);
    arrow.lineTo(7.5, 9.5);
    arrow.lineTo(1.5, 9.5);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(110, 90, 0), 1));
    p.setBrush(QColor(255, 220, 40));
    p.drawPath(arrow);
}

QPixmap make(const QString& key)
{
    QPixmap pm(Size, Size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (key == u"Break" || key == u"Both")
        drawBreak(p);
    if (key == u"Step" || key == u"Both")
        drawStep(p);
    return pm;
}

} // namespace

QPixmap GutterPicture(const QString& key)
{
    static const QPixmap breakPic = make(QStringLiteral("Break"));
    static const QPixmap stepPic = make(QStringLiteral("Step"));
    static const QPixmap bothPic = make(QStringLiteral("Both"));
    if (key == u"Break")
        return breakPic;
    if (key == u"Step")
        return stepPic;
    if (key == u"Both")
        return bothPic;
    return {};
}
