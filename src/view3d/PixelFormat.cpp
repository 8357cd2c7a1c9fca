#include "view3d/PixelFormat.h"

#include "platform/Hook.h"

#include <QGuiApplication>
#include <QOpenGLContext>

namespace view3d {

namespace {

bool realCheck(const QSurfaceFormat& wanted)
{
    // The offscreen platform crashes on a shown GL widget, and the minimal one has no GL.
    const QString platform = QGuiApplication::platformName();
    if (platform == u"offscreen" || platform == u"minimal")
        return false;
    QOpenGLContext context;
    context.setFormat(wanted);
    if (!context.create() || context.isOpenGLES())
        return false;
    const QSurfaceFormat got = context.format();
    if (got.profile() == QSurfaceFormat::CoreProfile)
        return false; // no fixed-function pipeline
    return got.redBufferSize() + got.greenBufferSize() + got.blueBufferSize() >= 24 && got.depthBufferSize() >= 16;
}

platform::Hook<PixelFormatCheck>& current()
{
    static platform::Hook<PixelFormatCheck> check;
    return check;
}

} // namespace

QSurfaceFormat RequestedFormat()
{
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    f.setDepthBufferSize(16);
    return f;
}

bool ChoosePixelFormat(const QSurfaceFormat& wanted)
{
    const PixelFormatCheck& check = current().get();
    return check ? check(wanted) : realCheck(wanted);
}

PixelFormatCheck SetPixelFormatCheck(PixelFormatCheck check)
{
    return current().exchange(std::move(check));
}

} // namespace view3d
