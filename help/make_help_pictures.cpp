// Draws the pictures of the help: the coordinates of the billet and the moves of the two box
// cycles. Everything is computed, so every build draws the same pictures.
//
//   make_help_pictures <output folder>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <cmath>
#include <cstdio>

namespace {

const QColor Ink(32, 32, 32);
const QColor Work(70, 110, 200);
const QColor Rapid(200, 60, 40);
const QColor Feed(20, 120, 40);
const QColor Axis(120, 120, 120);

QFont labelFont()
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    return f;
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, bool dashed)
{
    QPen pen(colour, 2, dashed ? Qt::DashLine : Qt::SolidLine);
    p.setPen(pen);
    p.drawLine(from, to);
    const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double len = 10, spread = 0.45;
    QPolygonF head;
    head << to << to - QPointF(len * std::cos(a - spread), len * std::sin(a - spread))
         << to - QPointF(len * std::cos(a + spread), len * std::sin(a + spread));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
}

void axisLine(QPainter& p, double y, double x0, double x1)
{
    QPen pen(Axis, 1, Qt::DashDotLine);
    p.setPen(pen);
    p.drawLine(QPointF(x0, y), QPointF(x1, y));
}

void text(QPainter& p, double x, double y, const QString& s, const QColor& colour = Ink)
{
    p.setPen(colour);
    p.drawText(QPointF(x, y), s);
}

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// The billet in the chuck, Z0 at its right face, X measured from the axis as a diameter.
QImage coordinates()
{
    QImage img = canvas(560, 310);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(labelFont());
    const double axis = 170, left = 90, face = 350, r = 60;
    p.fillRect(QRectF(30, axis - 95, 50, 190), QColor(190, 190, 190)); // chuck
    p.fillRect(QRectF(left - 10, axis - r, face - left + 10, 2 * r), Work);
    axisLine(p, axis, 20, 540);
    text(p, 440, axis + 18, QStringLiteral("spindle axis"), Axis);

    arrow(p, QPointF(face, axis), QPointF(face, axis - r - 50), Ink, false);
    text(p, face - 28, axis - r - 38, QStringLiteral("+X"));
    text(p, face - 10, axis + r + 20, QStringLiteral("Z0"));
    arrow(p, QPointF(face, axis + r + 40), QPointF(face - 130, axis + r + 40), Ink, false);
    text(p, face - 125, axis + r + 60, QStringLiteral("-Z, into the part"));

    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPointF(left + 20, axis - r), QPointF(left + 20, axis + r));
    text(p, left + 28, axis - 6, QStringLiteral("X = diameter"), Qt::white);

    // The tool: its picture's lower-left pixel is the point the program moves.
    const QPointF tip(face + 50, axis - r - 10);
    QPolygonF tool;
    tool << tip << tip + QPointF(28, -14) << tip + QPointF(28, -90) << tip + QPointF(58, -90)
         << tip + QPointF(58, -6) << tip + QPointF(12, -2);
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(150, 150, 150));
    p.drawPolygon(tool);
    p.setPen(Qt::NoPen);
    p.setBrush(Rapid);
    p.drawEllipse(tip, 3.5, 3.5);
    p.setBrush(Qt::NoBrush);
    text(p, tip.x() + 66, tip.y() + 5, QStringLiteral("cutting point"), Rapid);
    text(p, tip.x() - 30, tip.y() + 28, QStringLiteral("tool"));
    return img;
}

// The four moves of a box cycle from the start point S to the target T.
QImage boxCycle(bool turning)
{
    QImage img = canvas(440, 240);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(labelFont());
    const double axis = 200;
    p.fillRect(QRectF(40, axis - 120, 300, 120), QColor(200, 212, 240));
    axisLine(p, axis, 20, 420);
    const QPointF s(380, 50);                                   // start point
    const QPointF t = turning ? QPointF(130, 110) : QPointF(300, 190); // target
    QPointF corners[4];
    if (turning) {
        corners[0] = QPointF(s.x(), t.y());
        corners[1] = t;
        corners[2] = QPointF(t.x(), s.y());
    } else {
        corners[0] = QPointF(t.x(), s.y());
        corners[1] = t;
        corners[2] = QPointF(s.x(), t.y());
    }
    corners[3] = s;
    QPointF from = s;
    for (int leg = 0; leg < 4; ++leg) {
        const bool rapid = leg == 0 || leg == 3;
        arrow(p, from, corners[leg], rapid ? Rapid : Feed, rapid);
        const QPointF mid = (from + corners[leg]) / 2;
        const bool vertical = std::abs(from.x() - corners[leg].x()) < 1;
        text(p, mid.x() + (vertical ? 8 : -4), mid.y() + (vertical ? 4 : -8), QString::number(leg + 1),
             rapid ? Rapid : Feed);
        from = corners[leg];
    }
    p.setBrush(Ink);
    p.setPen(Qt::NoPen);
    p.drawEllipse(s, 3.5, 3.5);
    p.drawEllipse(t, 3.5, 3.5);
    text(p, s.x() - 20, s.y() - 8, QStringLiteral("S"));
    text(p, t.x() - 16, t.y() + 18, QStringLiteral("T"));
    text(p, 20, 22, turning ? QStringLiteral("G90: S start point, T target (X, Z)")
                            : QStringLiteral("G94: S start point, T target (X, Z)"));
    text(p, 20, 40, QStringLiteral("dashed: rapid    solid: feed"));
    return img;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_help_pictures <output folder>\n");
        return 2;
    }
    // Drawing needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]) + u'/';
    const bool ok = coordinates().save(out + QStringLiteral("coordinates.png"))
                    && boxCycle(true).save(out + QStringLiteral("g90.png"))
                    && boxCycle(false).save(out + QStringLiteral("g94.png"));
    if (!ok)
        std::fprintf(stderr, "make_help_pictures: cannot write the pictures to %s\n", argv[1]);
    return ok ? 0 : 1;
}
