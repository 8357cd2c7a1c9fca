#include "platform/widgets/DrawnPictures.h"

#include "platform/Twips.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

namespace platform {

namespace {

namespace toolbar {

const QColor Outline(60, 60, 70);

void drawNew(QPainter& p)
{
    QPainterPath page;
    page.moveTo(5.5, 2.5);
    page.lineTo(14.5, 2.5);
    page.lineTo(19.5, 7.5);
    page.lineTo(19.5, 21.5);
    page.lineTo(5.5, 21.5);
    page.closeSubpath();
    QLinearGradient g(5, 2, 19, 21);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(226, 232, 240));
    p.setPen(QPen(Outline, 1));
    p.setBrush(g);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(14.5, 2.5);
    fold.lineTo(14.5, 7.5);
    fold.lineTo(19.5, 7.5);
    p.setBrush(QColor(200, 208, 220));
    p.drawPath(fold);
    p.setPen(QPen(QColor(150, 165, 190), 1));
    for (int y = 11; y <= 18; y += 3)
        p.drawLine(QPointF(8, y + 0.5), QPointF(17, y + 0.5));
}

void drawOpen(QPainter& p)
{
    p.setPen(QPen(QColor(140, 100, 20), 1));
    QPainterPath back;
    back.moveTo(2.5, 5.5);
    back.lineTo(8.5, 5.5);
    back.lineTo(10.5, 7.5);
    back.lineTo(18.5, 7.5);
    back.lineTo(18.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.setBrush(QColor(222, 170, 50));
    p.drawPath(back);
    // A sheet sticking out of the folder.
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 3.5, 11, 10));
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(6.5, 10.5);
    front.lineTo(22.5, 10.5);
    front.lineTo(18.5, 19.5);
    front.closeSubpath();
    QLinearGradient g(0, 10, 0, 20);
    g.setColorAt(0, QColor(255, 218, 110));
    g.setColorAt(1, QColor(236, 180, 50));
    p.setPen(QPen(QColor(140, 100, 20), 1));
    p.setBrush(g);
    p.drawPath(front);
}

void drawSave(QPainter& p)
{
    QPainterPath disk;
    disk.moveTo(3.5, 3.5);
    disk.lineTo(18.5, 3.5);
    disk.lineTo(20.5, 5.5);
    disk.lineTo(20.5, 20.5);
    disk.lineTo(3.5, 20.5);
    disk.closeSubpath();
    p.setPen(QPen(QColor(20, 40, 90), 1));
    QLinearGradient g(3, 3, 20, 20);
    g.setColorAt(0, QColor(70, 110, 200));
    g.setColorAt(1, QColor(35, 65, 150));
    p.setBrush(g);
    p.drawPath(disk);
    // Shutter and label.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 215, 225));
    p.drawRect(QRectF(7, 4, 10, 6));
    p.setBrush(QColor(35, 65, 150));
    p.drawRect(QRectF(13, 5, 2.5, 4));
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 12.5, 11, 8));
    p.setPen(QPen(QColor(170, 170, 190), 1));
    p.drawLine(QPointF(8.5, 15.5), QPointF(15.5, 15.5));
    p.drawLine(QPointF(8.5, 17.5), QPointF(15.5, 17.5));
}

void drawPrint(QPainter& p)
{
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 2.5, 11, 8)); // paper going in
    QLinearGradient g(0, 9, 0, 18);
    g.setColorAt(0, QColor(200, 200, 205));
    g.setColorAt(1, QColor(140, 140, 150));
    p.setPen(QPen(Outline, 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 200, 60));
    p.drawRect(QRectF(17, 11.5, 2, 1.5));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 15.5, 11, 6)); // printed sheet
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawLine(QPointF(8.5, 18.5), QPointF(15.5, 18.5));
}

void drawStep(QPainter& p)
{
    // Program lines, and an arrow stepping down to the next one.
    p.setPen(QPen(QColor(120, 130, 150), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 5), QPointF(21, 5));
    p.drawLine(QPointF(12, 12), QPointF(21, 12));
    p.drawLine(QPointF(12, 19), QPointF(21, 19));
    QPainterPath arrow;
    arrow.moveTo(3, 4);
    arrow.cubicTo(9, 4, 9, 12, 6, 14);
    p.setPen(QPen(QColor(30, 90, 200), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arrow);
    QPolygonF head;
    head << QPointF(2.5, 13) << QPointF(10.5, 13.5) << QPointF(5.5, 19.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 200));
    p.drawPolygon(head);
}

void drawStart(QPainter& p)
{
    QPolygonF tri;
    tri << QPointF(6, 3.5) << QPointF(20.5, 12) << QPointF(6, 20.5);
    QLinearGradient g(6, 3, 6, 21);
    g.setColorAt(0, QColor(90, 210, 90));
    g.setColorAt(1, QColor(20, 140, 40));
    p.setPen(QPen(QColor(10, 90, 20), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPolygon(tri);
}

void drawPause(QPainter& p)
{
    QLinearGradient g(0, 4, 0, 20);
    g.setColorAt(0, QColor(110, 160, 235));
    g.setColorAt(1, QColor(35, 85, 185));
    p.setPen(QPen(QColor(20, 50, 120), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(5.5, 4.5, 5, 15), 1, 1);
    p.drawRoundedRect(QRectF(13.5, 4.5, 5, 15), 1, 1);
}

void drawStop(QPainter& p)
{
    QLinearGradient g(0, 4, 0, 20);
    g.setColorAt(0, QColor(240, 95, 80));
    g.setColorAt(1, QColor(185, 25, 20));
    p.setPen(QPen(QColor(110, 10, 10), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(4.5, 4.5, 15, 15), 2, 2);
}

void drawOptions(QPainter& p)
{
    const QPointF c(12, 12);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i - 0.5) * M_PI / teeth;
        const double a1 = (i + 0.5) * M_PI / teeth;
        const double r = (i % 2 == 0) ? 10.0 : 7.2;
        const QPointF p0 = c + QPointF(r * std::cos(a0), r * std::sin(a0));
        const QPointF p1 = c + QPointF(r * std::cos(a1), r * std::sin(a1));
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 3.2, 3.2);
    gear = gear.subtracted(hole);
    QLinearGradient g(2, 2, 22, 22);
    g.setColorAt(0, QColor(190, 195, 205));
    g.setColorAt(1, QColor(105, 112, 125));
    p.setPen(QPen(QColor(55, 60, 70), 1));
    p.setBrush(g);
    p.drawPath(gear);
}

void drawKey(QPainter& p, const QString& key)
{
    if (key == u"New")
        drawNew(p);
    else if (key == u"Open")
        drawOpen(p);
    else if (key == u"Save")
        drawSave(p);
    else if (key == u"Print")
        drawPrint(p);
    else if (key == u"Step")
        drawStep(p);
    else if (key == u"Start")
        drawStart(p);
    else if (key == u"Pause")
        drawPause(p);
    else if (key == u"Stop")
        drawStop(p);
    else if (key == u"Options")
        drawOptions(p);
}

} // namespace toolbar

namespace gutter {

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

} // namespace gutter

} // namespace

// ---------------------------------------------------------------------------------------
// Toolbar

QImage ToolbarPicture(const QString& key, bool enabled)
{
    QImage img(ToolbarPictureSize, ToolbarPictureSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        toolbar::drawKey(p, key);
    }
    if (enabled)
        return img;
    // Disabled: a flat, light grey of the same shape, as greyed toolbar pictures look.
    QImage grey = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb c = line[x];
            const int lum = qGray(c);
            const int v = 150 + lum * 80 / 255;
            line[x] = qRgba(v, v, v, qAlpha(c) * 3 / 4);
        }
    }
    return grey;
}

QIcon ToolbarIcon(const QString& key)
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(ToolbarPicture(key, true)), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(ToolbarPicture(key, false)), QIcon::Disabled);
    return icon;
}

// ---------------------------------------------------------------------------------------
// Program grid gutter

QPixmap GutterPicture(const QString& key)
{
    static const QPixmap breakPic = gutter::make(QStringLiteral("Break"));
    static const QPixmap stepPic = gutter::make(QStringLiteral("Step"));
    static const QPixmap bothPic = gutter::make(QStringLiteral("Both"));
    if (key == u"Break")
        return breakPic;
    if (key == u"Step")
        return stepPic;
    if (key == u"Both")
        return bothPic;
    return {};
}

// ---------------------------------------------------------------------------------------
// Options dialog

QPixmap OptionsBandPicture()
{
    QPixmap pm(OptionsBandWidth, OptionsBandHeight);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, OptionsBandHeight);
    sky.setColorAt(0.0, QColor(18, 36, 78));
    sky.setColorAt(1.0, QColor(72, 112, 168));
    p.fillRect(pm.rect(), sky);

    // Fine turning marks across the band.
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int y = 6; y < OptionsBandHeight; y += 9)
        p.drawLine(QPointF(0, y), QPointF(OptionsBandWidth, y - 14));

    // A turned part standing on end: chuck jaws above, three diameters stepping down.
    const double cx = OptionsBandWidth / 2.0;
    p.setPen(QPen(QColor(20, 24, 30), 1));
    p.setBrush(QColor(90, 96, 108));
    p.drawRect(QRectF(cx - 46, 40, 92, 34));
    p.setBrush(QColor(60, 64, 72));
    p.drawRect(QRectF(cx - 54, 46, 12, 22));
    p.drawRect(QRectF(cx + 42, 46, 12, 22));
    QLinearGradient metal(cx - 34, 0, cx + 34, 0);
    metal.setColorAt(0.0, QColor(120, 128, 140));
    metal.setColorAt(0.45, QColor(235, 238, 242));
    metal.setColorAt(1.0, QColor(110, 116, 128));
    p.setBrush(metal);
    const struct { double halfWidth, top, bottom; } steps[] = {{34, 74, 190}, {24, 190, 280}, {15, 280, 340}};
    for (const auto& s : steps)
        p.drawRect(QRectF(cx - s.halfWidth, s.top, 2 * s.halfWidth, s.bottom - s.top));
    // The faces the edge effect colours.
    p.setPen(QPen(QColor(150, 150, 255), 2));
    p.drawLine(QPointF(cx - 34, 190), QPointF(cx + 34, 190));
    p.drawLine(QPointF(cx - 24, 280), QPointF(cx + 24, 280));
    return pm;
}

QPixmap OptionsToolPicture()
{
    QPixmap pm(platform::TwipsToPixelsTruncated(510), platform::TwipsToPixelsTruncated(765));
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(150, 150, 160));
    p.drawRect(QRectF(9.5, 0.5, 15, 38));
    QPainterPath insert;
    insert.moveTo(9.5, 38.5);
    insert.lineTo(24.5, 38.5);
    insert.lineTo(12.5, 50.0);
    insert.closeSubpath();
    p.setBrush(QColor(210, 170, 40));
    p.drawPath(insert);
    return pm;
}

// ---------------------------------------------------------------------------------------
// Tool Library

QPixmap ToolLibraryHeaderPicture()
{
    // A lathe tool over a turned part, and the window's name: drawn, not shipped.
    QImage image(ToolLibraryHeaderWidth, ToolLibraryHeaderHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The part: a stepped shaft, shaded as a cylinder.
    QLinearGradient steel(0, 12, 0, 40);
    steel.setColorAt(0.0, QColor(150, 156, 166));
    steel.setColorAt(0.45, QColor(236, 240, 246));
    steel.setColorAt(1.0, QColor(96, 102, 112));
    p.setPen(QPen(QColor(70, 76, 86), 1));
    p.setBrush(steel);
    p.drawRect(QRectF(4.5, 14.5, 22, 26));
    p.drawRect(QRectF(26.5, 19.5, 14, 16));
    // The tool: shank and insert, its tip touching the part.
    QPainterPath shank;
    shank.moveTo(43, 6);
    shank.lineTo(58, 6);
    shank.lineTo(58, 1);
    shank.lineTo(43, 1);
    shank.closeSubpath();
    p.setBrush(QColor(140, 146, 154));
    p.drawPath(shank);
    QPainterPath insert;
    insert.moveTo(41, 19);
    insert.lineTo(44, 6);
    insert.lineTo(55, 6);
    insert.lineTo(50, 14);
    insert.closeSubpath();
    p.setBrush(QColor(214, 178, 48));
    p.drawPath(insert);
    // The name.
    QFont title(QStringLiteral("Tahoma"));
    title.setPixelSize(19);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(32, 58, 110));
    p.drawText(QRectF(68, 4, ToolLibraryHeaderWidth - 70, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tool Library"));
    QFont sub(QStringLiteral("Tahoma"));
    sub.setPixelSize(11);
    p.setFont(sub);
    p.setPen(QColor(80, 88, 100));
    p.drawText(QRectF(69, 29, ToolLibraryHeaderWidth - 70, 15), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Pictures and tool numbers"));
    p.end();
    return QPixmap::fromImage(image);
}

// ---------------------------------------------------------------------------------------
// Splash

void PaintSplashText(QPainter& p)
{
    // The picture is artwork only; the name and the version stand over it like labels.
    p.setPen(QColor(240, 244, 248));
    QFont title(QStringLiteral("Verdana"));
    title.setPixelSize(44);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(28, 24, 490, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Turnwise"));
    QFont small(QStringLiteral("Verdana"));
    small.setPixelSize(14);
    p.setFont(small);
    p.drawText(QRect(30, 84, 490, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Lathe part program simulator"));
    p.setPen(QColor(200, 210, 222));
    p.drawText(QRect(30, 318, 484, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Version %1").arg(QCoreApplication::applicationVersion().isEmpty()
                                                    ? QStringLiteral("1.0")
                                                    : QCoreApplication::applicationVersion()));
    p.drawText(QRect(30, 318, 484, 22), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Click or press Esc"));
}

} // namespace platform
