#include "splash/frmSplash.h"

#include "platform/AppPaths.h"
#include "platform/gui/Picture.h"
#include "platform/widgets/DrawnPictures.h"

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

    platform::PaintSplashText(p);
}
