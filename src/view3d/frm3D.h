#pragma once
// The 3D window: the turned part as a lit solid of revolution that the user turns, zooms and
// spins with keys. A window of its own (no owner, not modal) whose whole client area is a GL
// surface; without a usable GL context it says so once and stays empty.

#include "view3d/SolidOfRevolution.h"

#include <QWidget>
#include <vector>

struct SharedState;
class GlobalVariables;
class Surface3D;

// What the 3D window keeps from one opening to the next.
struct frm3DKept
{
    bool ShowAxes = false;
    bool AutoRotate = false; // a spin loop is running
};

class frm3D : public QWidget
{
    Q_OBJECT

public:
    static constexpr unsigned SceneList = 1000000;
    // Spin loops that F5 nests straight in one another; a held key nests no deeper.
    static constexpr int MaxSpinDepth = 4;

    frm3D(SharedState& state, GlobalVariables& settings, frm3DKept& kept);
    ~frm3D() override;

    // Key codes of the window's keys (numpad 0 to 9 are 96 to 105); 0 for any other key.
    // The numpad keys count with NumLock on or off (platform::View3DKeyCode).
    static int KeyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers);

    bool Initialize();
    void DrawWorld();
    void Display();
    void OnSize(int Width, int Height);

    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void Form_KeyDown(int KeyCode);

    // The scene of the last build, as it went into the display list.
    const std::vector<view3d::Primitive>& Scene() const { return scene_; }
    // True once the GL surface is set up and the scene can be drawn.
    bool HasContext() const;
    // Frames drawn so far, and spin loops running now.
    int FramesDrawn() const { return frames_; }
    int SpinDepth() const { return spinDepth_; }
    bool Unloaded() const { return unloaded_; }
    Surface3D* Surface() const { return surface_; }

    double FieldOfView = 30;
    double NearPlane = 0.5;
    double FarPlane = 200;
    double AspectRatio = 1;
    // Whole degrees, without bounds; doubles so that a long spin never overflows.
    double RotX = 0;
    double RotY = 0;
    double RotZ = 0;
    double PartRed = 0;
    double PartGreen = 0;
    double PartBlue = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class Surface3D;
    void SetProjection();
    QSize clientPixels() const;
    void computeColour();
    // The surface got its context: GL state, the scene list and the projection.
    void initializeGL();
    // One frame into the surface (the surface's paint).
    void drawFrame();
    void compileScene();
    void spin();

    SharedState& state_;
    GlobalVariables& settings_;
    frm3DKept& kept_;
    Surface3D* surface_ = nullptr;
    std::vector<view3d::Primitive> scene_;
    bool glReady_ = false;
    bool InDisplay = false;
    int LastWidth = 0;
    int LastHeight = 0;
    int frames_ = 0;
    int spinDepth_ = 0;
    // The do-events depth inside the innermost spin loop's yield.
    int spinYieldDepth_ = 0;
    bool unloaded_ = false;
};
