#include "view3d/frm3D.h"

#include "platform/EventLoop.h"
#include "platform/KeyCodes.h"
#include "platform/MessageBox.h"
#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"
#include "view3d/PixelFormat.h"
#include "view3d/Surface3D.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

Surface3D::Surface3D(frm3D* owner) : QOpenGLWidget(owner), owner_(owner)
{
    setObjectName(QStringLiteral("Surface3D"));
    setFocusPolicy(Qt::NoFocus); // the keys belong to the window
}

void Surface3D::initializeGL() { owner_->initializeGL(); }
void Surface3D::resizeGL(int, int) {} // the window's resize sets viewport and projection
void Surface3D::paintGL() { owner_->drawFrame(); }

frm3D::frm3D(SharedState& state, GlobalVariables& settings, frm3DKept& kept)
    : QWidget(nullptr, Qt::Window), state_(state), settings_(settings), kept_(kept)
{
    setObjectName(QStringLiteral("frm3D"));
    setWindowTitle(QStringLiteral("3D"));
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    resize(480, 360);
}

frm3D::~frm3D() = default;

int frm3D::KeyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers)
{
    return platform::View3DKeyCode(qtKey, modifiers);
}

bool frm3D::HasContext() const
{
    return glReady_ && surface_;
}

void frm3D::computeColour()
{
    const auto [red, green, blue] = view3d::PartColour(settings_.WorkPieceColor);
    PartRed = red;
    PartGreen = green;
    PartBlue = blue;
}

void frm3D::Form_Load()
{
    Initialize();
}

bool frm3D::Initialize()
{
    RotX = 0;
    RotY = 0;
    RotZ = 0;
    computeColour();
    if (!view3d::ChoosePixelFormat(view3d::RequestedFormat())) {
        platform::MsgBox(QStringLiteral("ChoosePixelFormat failed"), platform::vbOKOnly);
        return false;
    }
    if (!surface_) {
        // The context itself arrives when the surface is first shown (initializeGL).
        surface_ = new Surface3D(this);
        surface_->setFormat(view3d::RequestedFormat());
        layout()->addWidget(surface_);
    }
    FieldOfView = 30;
    NearPlane = 0.5;
    FarPlane = 200;
    AspectRatio = 1;
    DrawWorld();
    return true;
}

void frm3D::initializeGL()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glReady_ = true;
    compileScene();
    // The size came before the context did.
    const QSize size = clientPixels();
    OnSize(size.width(), size.height());
}

void frm3D::DrawWorld()
{
    computeColour();
    view3d::SceneInput in;
    in.profile = &state_.WorkPieceProfile;
    in.RotX = RotX;
    in.RotY = RotY;
    in.RotZ = RotZ;
    in.ShowAxes = kept_.ShowAxes;
    in.WorkPieceColor = settings_.WorkPieceColor;
    scene_ = view3d::SolidOfRevolution(in);
    if (HasContext())
        compileScene();
}

void frm3D::compileScene()
{
    surface_->makeCurrent();
    GLUquadric* quadric = gluNewQuadric(); // filled, smooth normals, facing outward
    glPushMatrix();
    glNewList(SceneList, GL_COMPILE);
    for (const view3d::Primitive& p : scene_) {
        const auto& v = p.v;
        switch (p.kind) {
        case view3d::Primitive::Kind::Colour:
            glColor3f(GLfloat(v[0]), GLfloat(v[1]), GLfloat(v[2]));
            break;
        case view3d::Primitive::Kind::Rotate:
            glRotatef(GLfloat(v[0]), GLfloat(v[1]), GLfloat(v[2]), GLfloat(v[3]));
            break;
        case view3d::Primitive::Kind::Translate:
            glTranslatef(GLfloat(v[0]), GLfloat(v[1]), GLfloat(v[2]));
            break;
        case view3d::Primitive::Kind::Cylinder:
            if (quadric)
                gluCylinder(quadric, v[0], v[1], v[2], p.slices, p.stacks);
            break;
        case view3d::Primitive::Kind::Disk:
            if (quadric)
                gluDisk(quadric, v[0], v[1], p.slices, p.stacks);
            break;
        }
    }
    glEndList();
    glPopMatrix();
    if (quadric)
        gluDeleteQuadric(quadric);
}

void frm3D::OnSize(int Width, int Height)
{
    if (Height == 0)
        Height = 1;
    AspectRatio = double(Width) / double(Height);
    if (!HasContext())
        return;
    surface_->makeCurrent();
    glViewport(0, 0, Width, Height);
    SetProjection();
}

void frm3D::SetProjection()
{
    if (!HasContext())
        return;
    surface_->makeCurrent();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FieldOfView, AspectRatio, NearPlane, FarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void frm3D::Display()
{
    if (InDisplay)
        return;
    InDisplay = true;
    // Renders through the surface's paint and presents before returning, so that a frame is
    // on the screen when this ends, also inside a spin. The toolkit at times turns a repaint
    // of a GL surface into an update request that it posts; that request, and only it, is
    // delivered here, so no other handler runs.
    if (HasContext() && surface_->isVisible()) {
        const int before = frames_;
        surface_->repaint();
        if (frames_ == before)
            QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
    }
    InDisplay = false;
}

void frm3D::drawFrame()
{
    if (!glReady_)
        return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    gluLookAt(10, 10, 10, 0, 0, 0, 0, 1, 0);
    glCallList(SceneList);
    glPopMatrix();
    glFinish();
    ++frames_;
}

QSize frm3D::clientPixels() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(int(std::nearbyint(width() * ratio)), int(std::nearbyint(height() * ratio)));
}

void frm3D::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frm3D::Form_Resize()
{
    const QSize size = clientPixels();
    const int Width = size.width();
    const int Height = size.height();
    OnSize(Width, Height);
    // A window that grew is repainted by the window system anyway.
    if (Width <= LastWidth && Height <= LastHeight)
        Display();
    LastWidth = Width;
    LastHeight = Height;
}

void frm3D::keyPressEvent(QKeyEvent* event)
{
    const int code = KeyCodeOf(event->key(), event->modifiers());
    if (code == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    Form_KeyDown(code);
}

void frm3D::Form_KeyDown(int KeyCode)
{
    if (unloaded_)
        return;
    namespace keycode = platform::keycode;
    switch (KeyCode) {
    case keycode::Escape: close(); return;
    case keycode::X: kept_.ShowAxes = !kept_.ShowAxes; break;
    case keycode::Numpad0: RotX = 0; RotY = 0; RotZ = 0; break;
    case keycode::Numpad0 + 1: RotX = RotX + 3; break;
    case keycode::Numpad0 + 2: RotY = RotY + 3; break;
    case keycode::Numpad0 + 3: RotZ = RotZ + 3; break;
    case keycode::Numpad0 + 4: RotX = RotX - 3; break;
    case keycode::Numpad0 + 5: RotY = RotY - 3; break;
    case keycode::Numpad0 + 6: RotZ = RotZ - 3; break;
    case keycode::Numpad0 + 7: RotX = 0; break;
    case keycode::Numpad0 + 8: RotY = 0; break;
    case keycode::Numpad9: RotZ = 0; break;
    case keycode::NumpadAdd:
    case keycode::NumpadSubtract:
        FieldOfView = KeyCode == keycode::NumpadAdd ? FieldOfView - 1 : FieldOfView + 1;
        SetProjection();
        Display();
        return;
    case keycode::F5: spin(); return;
    case keycode::F6: kept_.AutoRotate = false; return;
    default: return;
    }
    DrawWorld();
    Display();
}

void frm3D::spin()
{
    // Every yield lets any handler run: F6 ends this loop and any it is nested in, F5 nests
    // another, a run started now holds this loop until it ends, and closing the window ends
    // the loop before it touches the window again.
    kept_.AutoRotate = true;
    // A held key repeats F5 without end, and each nested loop costs stack: at the bound a
    // press from the innermost loop's own yield only keeps that loop turning. A press from a
    // handler that holds the innermost loop (a run started in its yield) still starts one,
    // since nothing else would turn the part.
    if (spinDepth_ >= MaxSpinDepth && platform::DoEventsDepth() == spinYieldDepth_)
        return;
    ++spinDepth_;
    const int outerYieldDepth = spinYieldDepth_;
    spinYieldDepth_ = platform::DoEventsDepth() + 1;
    while (kept_.AutoRotate && !unloaded_) {
        RotY = RotY - 1;
        DrawWorld();
        Display();
        platform::DoEvents();
    }
    spinYieldDepth_ = outerYieldDepth;
    --spinDepth_;
    if (unloaded_ && spinDepth_ == 0)
        deleteLater();
}

void frm3D::closeEvent(QCloseEvent* event)
{
    if (!unloaded_)
        Form_Unload();
    event->accept();
}

void frm3D::Form_Unload()
{
    unloaded_ = true;
    if (spinDepth_ > 0)
        kept_.AutoRotate = false; // the spin ends with the window
    if (surface_) {
        // The context goes with its surface; nothing draws from here on.
        glReady_ = false;
        surface_->deleteLater();
        surface_ = nullptr;
    }
    // A window whose spin loops are still on the stack goes when the last of them has left.
    if (spinDepth_ == 0)
        deleteLater();
}
