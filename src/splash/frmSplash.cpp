#include "splash/frmSplash.h"

#include "platform/AppPaths.h"
#include "platform/gui/Picture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

frmSplash::frmSplash(QWidget* parent) : FadingWindow(parent)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(543, 355);
    picture_ = QPixmap::fromImage(platform::ReadPicture(platform::ProgramFile(QStringLiteral("\\splash.bmp"))).image);
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    Form_Load();
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!picture_.isNull())
        p.drawPixmap(0, 0, picture_);
    else
        p.fillRect(rect(), QColor(32, 44, 60));

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
